#include "platform/controls/resource_templates.h"

#include <map>
#include <string>
#include <utility>

#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/controls/scroll_bar.h"
#include "platform/system/text_resource.h"
#include "platform/windows/window.h"

namespace platform {

namespace {

std::map<int, DialogTemplate>& dialogResources() {
    static std::map<int, DialogTemplate> resources;
    return resources;
}

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

bool readControl(const std::vector<std::string>& w, DialogTemplate& dialog) {
    if (w.size() < 8) {
        return false;
    }
    DialogItem item;
    const auto className = resourceQuoted("\"" + w[1]);
    const auto id = resourceNumber(w[2]);
    const auto text = resourceQuoted(w[3]);
    const auto x = resourceNumber(w[4]), y = resourceNumber(w[5]), cx = resourceNumber(w[6]),
               cy = resourceNumber(w[7]);
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

}  // namespace

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text) {
    const auto all = resourceLines(text);
    if (!all) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    for (const auto& w : *all) {
        if (w[0] == "title" && w.size() == 2 && resourceQuoted(w[1])) {
            dialog.title = *resourceQuoted(w[1]);
        } else if (w[0] == "size" && w.size() == 3 && resourceNumber(w[1]) && resourceNumber(w[2])) {
            dialog.cx = *resourceNumber(w[1]);
            dialog.cy = *resourceNumber(w[2]);
        } else if (w[0] == "titlebutton" && w.size() == 2 &&
                   (w[1] == "IDOK" || w[1] == "IDCANCEL" || w[1] == "none")) {
            dialog.titleBarButton = w[1] == "IDOK" ? IDOK : w[1] == "IDCANCEL" ? IDCANCEL : 0;
        } else if (w[0] != "control" || !readControl(w, dialog)) {
            return std::nullopt;
        }
    }
    return dialog;
}

void registerDialogResource(int id, DialogTemplate dialog) {
    dialogResources()[id] = std::move(dialog);
}

bool loadDialogResource(HINSTANCE module, int id) {
    const ResourceEntry* entry = findResource(module, "DIALOG", id);
    const auto dialog = entry ? parseDialogTemplate(resourceText(*entry)) : std::nullopt;
    if (dialog) {
        registerDialogResource(id, *dialog);
    }
    return dialog.has_value();
}

const DialogTemplate* dialogResource(HINSTANCE module, int id) {
    if (!dialogResources().contains(id)) {
        loadDialogResource(module, id);  // a template written in the resource script
    }
    const auto it = dialogResources().find(id);
    return it == dialogResources().end() ? nullptr : &it->second;
}

}  // namespace platform
