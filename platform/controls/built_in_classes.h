// The window classes the platform's controls provide.
#pragma once

namespace platform {

// Registers the window classes the platform provides: "Button", "Scrollbar",
// "Listbox", the dialog class and the message-box class.
void registerBuiltInClasses();

// Makes the windows register them the first time a class is looked for (and
// again after a reset). The backends call it when they start; the windows
// themselves never name the controls.
void useBuiltInControls();

}  // namespace platform
