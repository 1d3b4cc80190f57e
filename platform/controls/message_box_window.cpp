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

namespace {

// The box's size, its buttons' width, and the lines of its text that fit.
struct BoxLayout {
    int width = 0;
    int height = 0;
    int buttonWidth = 0;
    int buttonsWidth = 0;
    std::vector<std::u16string> lines;
};

// As wide as its widest line, title or row of buttons, within a margin of the
// screen's sides; as tall as its lines, cut to those the screen can show.
BoxLayout layOutBox(std::u16string_view text, std::u16string_view caption,
                    const std::vector<ButtonChoice>& choices, const Metrics& m) {
    const RECT screen = screenRect();
    const int margin = std::max(4, screen.right / 16);
    const int widest = std::max(screen.right - 2 * margin, 4 * m.line);
    BoxLayout b;
    b.buttonWidth = 3 * m.line;
    for (const ButtonChoice& choice : choices) {
        b.buttonWidth = std::max(b.buttonWidth, textWidth(controlFont(), choice.label) + 2 * m.line);
    }
    const auto count = static_cast<int>(choices.size());
    b.buttonsWidth = count * b.buttonWidth + (count - 1) * m.pad;

    b.lines = wrap(text, widest - 2 * m.pad);
    int content = std::max(b.buttonsWidth, textWidth(captionFont(), caption));
    for (const std::u16string& line : b.lines) {
        content = std::max(content, textWidth(controlFont(), line));
    }
    b.width = std::min(widest, content + 2 * m.pad);
    const int fixed = m.captionHeight + 3 * m.pad + m.buttonHeight;
    const int fitting = std::max(1, (screen.bottom - fixed) / m.line);
    if (static_cast<int>(b.lines.size()) > fitting) {
        b.lines.resize(static_cast<std::size_t>(fitting));
    }
    b.height = fixed + static_cast<int>(b.lines.size()) * m.line;
    return b;
}

// The buttons, centred in a row along the bottom; answers the first, the default.
HWND createButtons(HWND box, const std::vector<ButtonChoice>& choices, const BoxLayout& b, const Metrics& m) {
    int x = (b.width - b.buttonsWidth) / 2;
    HWND first = nullptr;
    for (const ButtonChoice& choice : choices) {
        const std::u16string label(choice.label);
        const DWORD style =
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (first == nullptr ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindow(u"Button", label.c_str(), style, x, b.height - m.pad - m.buttonHeight,
                                   b.buttonWidth, m.buttonHeight, box, choice.id, nullptr);
        first = first ? first : button;
        x += b.buttonWidth + m.pad;
    }
    return first;
}

// Disables the owner, or without an owner every window there is, so that
// the box is modal to it; answers the windows disabled.
std::vector<HWND> disableOwners(HWND box, HWND owner) {
    std::vector<HWND> disabled;
    for (Window* top : std::vector<Window*>(topLevelWindows())) {
        if (top != box && top->enabled && (owner == nullptr || top == owner)) {
            EnableWindow(top, FALSE);
            disabled.push_back(top);
        }
    }
    return disabled;
}

void enableAgain(const std::vector<HWND>& disabled) {
    for (HWND window : disabled) {
        if (isLive(window)) {
            EnableWindow(window, TRUE);
        }
    }
}

}  // namespace

int showMessageBoxWindow(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) {
    const Metrics m = metrics();
    const std::vector<ButtonChoice> choices = buttonsFor(type);
    BoxLayout layout = layOutBox(text, caption, choices, m);
    const RECT screen = screenRect();
    const std::u16string title(caption);
    HWND box =
        CreateWindow(u"#msgbox", title.c_str(), WS_POPUP, (screen.right - layout.width) / 2,
                     (screen.bottom - layout.height) / 2, layout.width, layout.height, nullptr, 0, nullptr);
    if (box == nullptr) {
        return 0;
    }
    box->owner = owner;
    auto data = std::make_unique<MessageBoxData>();
    data->type = type;
    data->lines = std::move(layout.lines);
    MessageBoxData* d = data.get();
    box->data = std::move(data);
    HWND first = createButtons(box, choices, layout, m);

    const std::vector<HWND> disabled = disableOwners(box, owner);
    HWND previousFocus = GetFocus();
    ShowWindow(box, SW_SHOW);
    SetFocus(first);
    backend().messageBoxOpened(owner, text, caption, type);

    const bool finished = runModalLoop(box, [d] { return d->ended; });
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    const int result = finished && isLive(box) && d->ended ? d->result : (yesNo ? IDNO : IDOK);

    enableAgain(disabled);
    DestroyWindow(box);
    if (isLive(previousFocus)) {
        SetFocus(previousFocus);
    }
    return result;
}

}  // namespace platform
