#include "ui/pattern_chooser.h"

#include <map>
#include <string>

#include "core/settings.h"
#include "platform/base/text.h"
#include "platform/controls/button.h"
#include "platform/controls/dialog.h"
#include "platform/controls/list_box.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/system/files.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "render/button_faces.h"

namespace {

// One chooser at a time; the dialog procedure has no argument of its own.
const ChooserContext* current = nullptr;

// Each entry's folder and its thumbnail file as the file system names it
// ("Rose.BMP"): the folder's names are case-sensitive, so the entry's name +
// ".bmp" may not exist.
struct EntryFiles {
    std::u16string folder;
    std::u16string thumbnail;
};
std::map<std::u16string, EntryFiles> entryFiles;

// A name longer than an entry holds, or a path longer than the settings
// hold, is not offered rather than cut into another pattern's name.
constexpr std::size_t kLongestName = 63;

std::u16string folder() {
    const WCHAR* f = current->settings->programFolder;
    return {f, platform::boundedLength(f, MAX_PATH)};
}

std::u16string selectedName(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_PATTERN_LIST);
    const LRESULT index = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return {};
    }
    WCHAR name[kLongestName + 1] = {};
    if (SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >
        static_cast<LRESULT>(kLongestName)) {
        return {};
    }
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name));
    return name;
}

// The entry whose text is `name` exactly, letter case included; -1 for none.
LRESULT entryNamed(HWND list, const std::u16string& name) {
    const LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; !name.empty() && i < count; ++i) {
        if (SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) ==
            static_cast<LRESULT>(name.size())) {
            std::u16string text(name.size() + 1, u'\0');
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            if (text.compare(0, name.size(), name) == 0) {
                return i;
            }
        }
    }
    return -1;
}

// Adds the entries of one folder; a name already listed keeps its entry.
// Answers whether the folder has any thumbnail.
bool addEntries(HWND list, const std::u16string& entryFolder, std::u16string& selection) {
    WIN32_FIND_DATA found;
    const HANDLE search = FindFirstFile((entryFolder + u"*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    const std::u16string currentPattern(current->settings->CurrentPattern,
                                        platform::boundedLength(current->settings->CurrentPattern, MAX_PATH));
    do {
        const std::u16string file(found.cFileName);
        if (file.size() < 4) {
            continue;
        }
        const std::u16string name = file.substr(0, file.size() - 4);
        const std::u16string path = entryFolder + name + u".mza";
        if (name.size() > kLongestName || path.size() >= MAX_PATH || entryFiles.contains(name)) {
            continue;
        }
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        entryFiles[name] = {entryFolder, file};
        if (path == currentPattern) {
            selection = name;
        }
    } while (FindNextFile(search, &found));
    FindClose(search);
    return true;
}

void fillList(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_PATTERN_LIST);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    entryFiles.clear();
    std::u16string selection;
    const bool bundled = addEntries(list, folder(), selection);
    const bool own = !current->playerFolder.empty() && addEntries(list, current->playerFolder, selection);
    if (!bundled && !own) {
        return;
    }
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(entryNamed(list, selection)), 0);
    CreateWindow(u"Button", u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 10, 10, dialog, IDC_THUMBNAIL,
                 current->instance);
    layoutChooser();
}

void drawThumbnail(HWND dialog, const DRAWITEMSTRUCT& item) {
    const std::u16string name = selectedName(dialog);
    platform::OwnedBitmap thumbnail;
    const auto files = entryFiles.find(name);
    if (files != entryFiles.end()) {
        thumbnail.reset(SHLoadDIBitmap((files->second.folder + files->second.thumbnail).c_str()));
    }
    drawBitmapInRect(item.hDC, item.rcItem, thumbnail.get(), BitmapFit::Fit, current->background);
}

void open(HWND dialog) {
    const std::u16string name = selectedName(dialog);
    const auto files = entryFiles.find(name);
    if (files != entryFiles.end()) {
        platform::copyToBuffer(current->settings->CurrentPattern, MAX_PATH,
                               files->second.folder + name + u".mza");
        platform::copyToBuffer(current->settings->CurrentPatternShort, MAX_PATH, name);
    }
    const HWND button = GetDlgItem(dialog, IDOK);
    ShowWindow(button, SW_HIDE);
    InvalidateRect(button, nullptr, FALSE);
    UpdateWindow(dialog);
    EndDialog(dialog, IDOK);
}

}  // namespace

ChooserLayout chooserLayoutFor(int W, int H) {
    const auto trunc = [](float v) { return static_cast<int>(v); };
    const int mx = trunc(static_cast<float>(W) * 0.05f);
    const int my = trunc(static_cast<float>(H) * 0.05f);
    const float half = static_cast<float>(W) * 0.5f;
    const float inner = half - static_cast<float>(2 * mx);
    const int bw = static_cast<int>(W * 0.25);
    const int bh = trunc(static_cast<float>(H) * 0.2f - static_cast<float>(2 * my));
    return {{mx, my, trunc(inner), trunc(static_cast<float>(H) * 0.8f - static_cast<float>(2 * my))},
            {trunc(static_cast<float>(mx) + half), my, trunc(inner),
             trunc(static_cast<float>(H) * 0.7f - static_cast<float>(2 * my))},
            {trunc((inner - static_cast<float>(bw)) * 0.5f + static_cast<float>(mx)), H - bh - my, bw, bh}};
}

void layoutChooser() {
    const HWND dialog = *current->chooserWindow;
    RECT client{};
    GetClientRect(dialog, &client);
    const ChooserLayout layout = chooserLayoutFor(client.right, client.bottom);
    for (const auto& [id, r] :
         {std::pair{IDC_PATTERN_LIST, layout.list}, {IDC_THUMBNAIL, layout.thumbnail}, {IDOK, layout.open}}) {
        MoveWindow(GetDlgItem(dialog, id), r.left, r.top, r.width, r.height, TRUE);
    }
}

BOOL chooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            *current->chooserWindow = dialog;
            fillList(dialog);
            EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_PATTERN_LIST) {
                if (HIWORD(wParam) != LBN_SELCHANGE) {
                    return FALSE;
                }
                InvalidateRect(GetDlgItem(dialog, IDC_THUMBNAIL), nullptr, FALSE);
                EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                open(dialog);
                return FALSE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_DRAWITEM:
            if (wParam == IDC_THUMBNAIL) {
                drawThumbnail(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            }
            return FALSE;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC hdc = BeginPaint(dialog, &paint);
            RECT client{};
            GetClientRect(dialog, &client);
            FillRect(hdc, &client, current->background);
            EndPaint(dialog, &paint);
            return TRUE;
        }
        case WM_SETTINGCHANGE:
            if (wParam == SETTINGCHANGE_RESET) {
                layoutChooser();
            }
            return FALSE;
        default:
            return FALSE;
    }
}

int runPatternChooser(HWND owner, const ChooserContext& context) {
    const ChooserContext* previous = current;
    current = &context;
    const int result = DialogBox(context.instance, kChooserDialog, owner, chooserDialogProc);
    current = previous;
    return result;
}
