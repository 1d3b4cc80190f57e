#include "platform/controls/message_box_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/backend.h"
#include "platform/base/message_box_answers.h"
#include "platform/controls/button.h"
#include "platform/controls/control_look.h"
#include "platform/controls/modal_loop.h"
#include "platform/drawing/text_renderer.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

struct Metrics {
    int line = 0;         // text line height
    int captionLine = 0;  // title line height
    int pad = 0;
    int captionHeight = 0;
    int buttonHeight = 0;
};

Metrics metrics() {
    Metrics m;
    m.line = std::max(fontLineHeight(controlFont()), 8);
    m.captionLine = std::max(fontLineHeight(captionFont()), 8);
    m.pad = std::max(4, m.line / 2);
    m.captionHeight = m.captionLine + m.pad;
    m.buttonHeight = m.line + m.pad + m.pad / 2;
    return m;
}

// Breaks the text into lines no wider than `width`: at spaces where it can,
// inside a word only when the word alone is too wide, and at every newline.
std::vector<std::u16string> wrap(std::u16string_view text, int width) {
    HFONT font = controlFont();
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        std::u16string_view paragraph = text.substr(start, end - start);
        std::u16string line;
        while (!paragraph.empty()) {
            const std::size_t space = paragraph.find(u' ');
            const std::u16string_view word = paragraph.substr(0, space);
            std::u16string candidate =
                line.empty() ? std::u16string(word) : line + u" " + std::u16string(word);
            if (textWidth(font, candidate) <= width || line.empty()) {
                if (textWidth(font, candidate) > width) {
                    // One word wider than the box: cut it where it overflows.
                    std::size_t fit = 1;
                    while (fit < candidate.size() && textWidth(font, candidate.substr(0, fit + 1)) <= width) {
                        ++fit;
                    }
                    lines.push_back(candidate.substr(0, fit));
                    paragraph = paragraph.substr(std::min(fit, paragraph.size()));
                    continue;
                }
                line = std::move(candidate);
                paragraph =
                    space == std::u16string_view::npos ? std::u16string_view() : paragraph.substr(space + 1);
            } else {
                lines.push_back(std::move(line));
                line.clear();
            }
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

struct MessageBoxData final : WindowData {
    UINT type = MB_OK;
    std::vector<std::u16string> lines;
    bool ended = false;
    int result = 0;
};

void paint(HWND hwnd, const MessageBoxData& d, HDC hdc) {
    const Metrics m = metrics();
    const RECT box{0, 0, hwnd->clientWidth(), hwnd->clientHeight()};
    fillArea(hdc, box, kFaceColour);
    fillArea(hdc, {0, 0, box.right, m.captionHeight}, kTitleBarColour);
    drawLabel(hdc, hwnd->text, {m.pad, 0, box.right - m.pad, m.captionHeight}, captionFont(),
              kTitleTextColour, false);
    int top = m.captionHeight + m.pad;
    for (const std::u16string& line : d.lines) {
        drawLabel(hdc, line, {m.pad, top, box.right - m.pad, top + m.line}, controlFont(), kTextColour,
                  false);
        top += m.line;
    }
    frameArea(hdc, box, kFrameColour);
}

struct ButtonChoice {
    int id;
    std::u16string_view label;
};

std::vector<ButtonChoice> buttonsFor(UINT type) {
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        return {{IDYES, u"Yes"}, {IDNO, u"No"}};
    }
    return {{IDOK, u"OK"}};
}

}  // namespace

LRESULT messageBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = windowData<MessageBoxData>(hwnd);
    if (d == nullptr) {
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            paint(hwnd, *d, ps.hdc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const bool yesNo = (d->type & MB_TYPEMASK) == MB_YESNO;
            if (id == IDYES || id == IDNO || id == IDOK) {
                d->result = id;
                d->ended = true;
            } else if (id == IDCANCEL && !yesNo) {
                // Escape dismisses a notice; a question must be answered.
                d->result = IDOK;
                d->ended = true;
            }
            return 0;
        }
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

int showMessageBoxWindow(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) {
    const Metrics m = metrics();
    const RECT screen = screenRect();
    const int margin = std::max(4, screen.right / 16);
    const int widest = std::max(screen.right - 2 * margin, 4 * m.line);
    const std::vector<ButtonChoice> choices = buttonsFor(type);

    int buttonWidth = 3 * m.line;
    for (const ButtonChoice& choice : choices) {
        buttonWidth = std::max(buttonWidth, textWidth(controlFont(), choice.label) + 2 * m.line);
    }
    const int buttonsWidth =
        static_cast<int>(choices.size()) * buttonWidth + (static_cast<int>(choices.size()) - 1) * m.pad;

    std::vector<std::u16string> lines = wrap(text, widest - 2 * m.pad);
    int content = std::max(buttonsWidth, textWidth(captionFont(), caption));
    for (const std::u16string& line : lines) {
        content = std::max(content, textWidth(controlFont(), line));
    }
    const int width = std::min(widest, content + 2 * m.pad);
    const int fixed = m.captionHeight + 3 * m.pad + m.buttonHeight;
    const int fitting = std::max(1, (screen.bottom - fixed) / m.line);
    if (static_cast<int>(lines.size()) > fitting) {
        lines.resize(static_cast<std::size_t>(fitting));
    }
    const int height = fixed + static_cast<int>(lines.size()) * m.line;

    const std::u16string title(caption);
    HWND box = CreateWindow(u"#msgbox", title.c_str(), WS_POPUP, (screen.right - width) / 2,
                            (screen.bottom - height) / 2, width, height, nullptr, 0, nullptr);
    if (box == nullptr) {
        return 0;
    }
    box->owner = owner;
    auto data = std::make_unique<MessageBoxData>();
    data->type = type;
    data->lines = std::move(lines);
    MessageBoxData* d = data.get();
    box->data = std::move(data);

    int x = (width - buttonsWidth) / 2;
    HWND first = nullptr;
    for (const ButtonChoice& choice : choices) {
        const std::u16string label(choice.label);
        const DWORD style =
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (first == nullptr ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindow(u"Button", label.c_str(), style, x, height - m.pad - m.buttonHeight,
                                   buttonWidth, m.buttonHeight, box, choice.id, nullptr);
        first = first ? first : button;
        x += buttonWidth + m.pad;
    }

    // Without an owner the box is modal to every window there is.
    std::vector<HWND> disabled;
    for (Window* top : std::vector<Window*>(topLevelWindows())) {
        if (top != box && top->enabled && (owner == nullptr || top == owner)) {
            EnableWindow(top, FALSE);
            disabled.push_back(top);
        }
    }
    HWND previousFocus = GetFocus();
    ShowWindow(box, SW_SHOW);
    SetFocus(first);
    backend().messageBoxOpened(owner, text, caption, type);

    const bool finished = runModalLoop(box, [d] { return d->ended; });
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    const int result = finished && isLive(box) && d->ended ? d->result : (yesNo ? IDNO : IDOK);

    for (HWND window : disabled) {
        if (isLive(window)) {
            EnableWindow(window, TRUE);
        }
    }
    DestroyWindow(box);
    if (isLive(previousFocus)) {
        SetFocus(previousFocus);
    }
    return result;
}

}  // namespace platform
