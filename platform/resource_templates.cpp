#include "platform/resource_templates.h"

#include <charconv>
#include <map>
#include <string>

#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/controls/scroll_bar.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "platform/window.h"

namespace platform {

namespace {

const std::map<std::string_view, DWORD>& styleNames() {
    static const std::map<std::string_view, DWORD> names = {
        {"WS_CHILD", WS_CHILD},           {"WS_VISIBLE", WS_VISIBLE},
        {"WS_BORDER", WS_BORDER},         {"WS_VSCROLL", WS_VSCROLL},
        {"WS_TABSTOP", WS_TABSTOP},       {"WS_DISABLED", WS_DISABLED},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"BS_OWNERDRAW", BS_OWNERDRAW},   {"LBS_NOTIFY", LBS_NOTIFY},
        {"LBS_SORT", LBS_SORT},           {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
        {"SBS_HORZ", SBS_HORZ},           {"SBS_VERT", SBS_VERT},
    };
    return names;
}

// Words of a line; a quoted word keeps its spaces and loses its quotes, and
// is marked by a leading '"' in the result so it is never taken for a name.
std::optional<std::vector<std::string>> words(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            out.push_back("\"" + std::string(line.substr(i + 1, end - i - 1)));
            i = end + 1;
        } else {
            const std::size_t end = line.find_first_of(" \t\r#", i);
            out.emplace_back(
                line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
            i = end == std::string_view::npos ? line.size() : end;
        }
    }
    return out;
}

std::optional<int> number(const std::string& word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() ? std::optional(value) : std::nullopt;
}

std::optional<std::u16string> quoted(const std::string& word) {
    return word.starts_with('"') ? std::optional(utf8ToUtf16(std::string_view(word).substr(1)))
                                 : std::nullopt;
}

template <typename Handle>
std::optional<std::vector<std::vector<std::string>>> lines(std::string_view text, Handle) {
    std::vector<std::vector<std::string>> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        auto line = words(text.substr(0, end));
        if (!line) {
            return std::nullopt;
        }
        if (!line->empty()) {
            out.push_back(std::move(*line));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

bool readControl(const std::vector<std::string>& w, DialogTemplate& dialog) {
    if (w.size() < 8) {
        return false;
    }
    DialogItem item;
    const auto className = quoted("\"" + w[1]);
    const auto id = number(w[2]);
    const auto text = quoted(w[3]);
    const auto x = number(w[4]), y = number(w[5]), cx = number(w[6]), cy = number(w[7]);
    if (!id || !text || !x || !y || !cx || !cy) {
        return false;
    }
    item.className = *className;
    item.id = *id;
    item.text = *text;
    item.x = *x;
    item.y = *y;
    item.cx = *cx;
    item.cy = *cy;
    for (std::size_t k = 8; k < w.size(); ++k) {
        const auto style = styleNames().find(w[k]);
        if (style == styleNames().end()) {
            return false;
        }
        item.style |= style->second;
    }
    dialog.items.push_back(std::move(item));
    return true;
}

std::string_view textOf(const ResourceEntry& entry) {
    return {reinterpret_cast<const char*>(entry.data.data()), entry.data.size()};
}

}  // namespace

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text) {
    const auto all = lines(text, 0);
    if (!all) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    for (const auto& w : *all) {
        if (w[0] == "title" && w.size() == 2 && quoted(w[1])) {
            dialog.title = *quoted(w[1]);
        } else if (w[0] == "size" && w.size() == 3 && number(w[1]) && number(w[2])) {
            dialog.cx = *number(w[1]);
            dialog.cy = *number(w[2]);
        } else if (w[0] == "titlebutton" && w.size() == 2 &&
                   (w[1] == "IDOK" || w[1] == "IDCANCEL" || w[1] == "none")) {
            dialog.titleBarButton = w[1] == "IDOK" ? IDOK : w[1] == "IDCANCEL" ? IDCANCEL : 0;
        } else if (w[0] != "control" || !readControl(w, dialog)) {
            return std::nullopt;
        }
    }
    return dialog;
}

std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::string_view text) {
    const auto all = lines(text, 0);
    if (!all) {
        return std::nullopt;
    }
    std::vector<ACCEL> table;
    for (const auto& w : *all) {
        const auto command = w.size() == 2 ? number(w[1]) : std::nullopt;
        if (!command || *command < 0 || *command > 0xFFFF) {
            return std::nullopt;
        }
        ACCEL entry;
        entry.cmd = static_cast<WORD>(*command);
        std::string_view keys = w[0];
        for (const auto& [prefix, flag] : {std::pair{std::string_view("Ctrl+"), FCONTROL},
                                           {std::string_view("Shift+"), FSHIFT},
                                           {std::string_view("Alt+"), FALT}}) {
            if (keys.starts_with(prefix)) {
                entry.fVirt |= flag;
                keys.remove_prefix(prefix.size());
            }
        }
        if (keys.size() != 1 || !((keys[0] >= 'A' && keys[0] <= 'Z') || (keys[0] >= '0' && keys[0] <= '9'))) {
            return std::nullopt;  // a letter or digit: their virtual-key codes are their capitals
        }
        entry.key = static_cast<WORD>(keys[0]);
        table.push_back(entry);
    }
    return table;
}

bool loadDialogResource(HINSTANCE module, int id) {
    const ResourceEntry* entry = findResource(module, "DIALOG", id);
    const auto dialog = entry ? parseDialogTemplate(textOf(*entry)) : std::nullopt;
    if (dialog) {
        registerDialogResource(id, *dialog);
    }
    return dialog.has_value();
}

bool loadAcceleratorResource(HINSTANCE module, int id) {
    const ResourceEntry* entry = findResource(module, "ACCELERATORS", id);
    const auto table = entry ? parseAcceleratorTable(textOf(*entry)) : std::nullopt;
    if (table) {
        registerAcceleratorResource(id, *table);
    }
    return table.has_value();
}

}  // namespace platform
