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

#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/types.h"

using DLGPROC = BOOL (*)(HWND, UINT, WPARAM, LPARAM);

namespace platform {

struct DialogItem {
    std::u16string className;  // "Button", "Listbox", "Scrollbar"
    int id = 0;
    std::u16string text;
    int x = 0;  // dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;  // WS_CHILD and the control's own styles
};

struct DialogTemplate {
    std::u16string title;
    int cx = 0;  // the size it was designed at, in dialog units; shown full screen all the same
    int cy = 0;
    int titleBarButton = IDOK;  // IDOK, IDCANCEL, or 0 for no title bar
    std::vector<DialogItem> items;
};

// Makes template `id` of the program's resources known to DialogBox.
void registerDialogResource(int id, DialogTemplate dialog);

}  // namespace platform

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
