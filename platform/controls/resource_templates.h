// Dialog templates written as text resources, so the program's dialogs are
// data in its resource script rather than code. Accelerator tables are read
// the same way, with the accelerators (platform/windows/accelerators.h).
//
// A dialog template:
//   title "Choose"
//   size 148 127                 the designed size in dialog units
//   titlebutton IDCANCEL         the title bar's button: IDOK, IDCANCEL, or none (no title bar)
//   control Button 1 "Open" 18 106 50 14 WS_CHILD WS_VISIBLE BS_DEFPUSHBUTTON
// `#` starts a comment; a line that cannot be read makes the whole resource
// unreadable, so a damaged template is never half used.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/handles.h"
#include "platform/controls/dialog_template.h"
#include "platform/windows/accelerators.h"

namespace platform {

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text);

// Makes template `id` of the program's resources known to DialogBox.
void registerDialogResource(int id, DialogTemplate dialog);
// The module's DIALOG resource `id`, read and made known to DialogBox; false
// when it is missing or unreadable.
bool loadDialogResource(HINSTANCE module, int id);
// Template `id` as DialogBox finds it: registered, or else read from the
// module's resources on first use; nullptr when there is none.
const DialogTemplate* dialogResource(HINSTANCE module, int id);

}  // namespace platform
