// Dialog templates and accelerator tables written as text resources, so the
// program's dialogs are data in its resource script rather than code.
//
// A dialog template:
//   title "Choose"
//   size 148 127                 the designed size in dialog units
//   titlebutton IDCANCEL         the title bar's button: IDOK, IDCANCEL, or none (no title bar)
//   control Button 1 "Open" 18 106 50 14 WS_CHILD WS_VISIBLE BS_DEFPUSHBUTTON
// An accelerator table, one entry a line:
//   Ctrl+Q 40000
// `#` starts a comment; a line that cannot be read makes the whole resource
// unreadable, so a damaged template is never half used.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/accelerators.h"
#include "platform/controls/dialog.h"

namespace platform {

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text);
std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::string_view text);

// The module's DIALOG or ACCELERATORS resource `id`, read and made known to
// DialogBox or LoadAccelerators; false when it is missing or unreadable.
bool loadDialogResource(HINSTANCE module, int id);
bool loadAcceleratorResource(HINSTANCE module, int id);

}  // namespace platform
