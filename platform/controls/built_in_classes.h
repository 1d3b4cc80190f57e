#pragma once

namespace platform {

// Registers the window classes the platform provides: "Button", "Scrollbar",
// "Listbox", the dialog class and the message-box class.
void registerBuiltInClasses();

}  // namespace platform
