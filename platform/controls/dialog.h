// Modal dialogs from templates. A dialog fills the screen. Its title bar
// shows the title and one button, OK or Cancel as the template says, which
// sends WM_COMMAND with IDOK or IDCANCEL to the dialog procedure; a template
// without a title-bar button has no title bar, its client area the whole
// screen (Enter still sends IDOK and Escape IDCANCEL). The
// template's controls are created in the client area below the title bar,
// their rectangles converted from dialog units (a quarter of the average
// character width across, an eighth of the line height down, in the
// platform's control font); then WM_INITDIALOG reaches the procedure, whose
// TRUE answer gives the focus to the first control with WS_TABSTOP.
//
// The dialog procedure answers TRUE for a message it has handled; for the
// others the dialog does the usual: WM_PAINT fills the background, WM_CLOSE
// becomes IDCANCEL.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "platform/controls/dialog_template.h"
#include "platform/controls/message_box.h"
#include "platform/controls/resource_templates.h"

using DLGPROC = BOOL (*)(HWND, UINT, WPARAM, LPARAM);

// Runs the dialog modally and answers the result given to EndDialog. The owner
// is disabled meanwhile. If the quit message arrives first, the dialog ends
// with IDCANCEL and the quit message is queued again.
int DialogBoxIndirect(HINSTANCE instance, const platform::DialogTemplate* dialog, HWND owner,
                      DLGPROC procedure);
// The same with resource template `id`; -1 when there is no such template.
int DialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure);
// Ends the dialog once the message being handled returns.
BOOL EndDialog(HWND dialog, int result);

namespace platform {

LRESULT dialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
