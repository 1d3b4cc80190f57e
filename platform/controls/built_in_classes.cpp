#include "platform/controls/built_in_classes.h"

#include "platform/controls/button.h"
#include "platform/controls/control_look.h"
#include "platform/controls/dialog.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box_window.h"
#include "platform/controls/scroll_bar.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/windows/window_object.h"

namespace platform {

void registerBuiltInClasses() {
    // Stock brushes: the classes outlive any reset of the game's objects.
    static BrushObject dialogBackground{kFaceColour, false, true};
    registerBuiltInClass(u"Button", buttonProcedure);
    registerBuiltInClass(u"Scrollbar", scrollBarProcedure);
    registerBuiltInClass(u"Listbox", listBoxProcedure);
    registerBuiltInClass(u"#32770", dialogProcedure, &dialogBackground);
    registerBuiltInClass(u"#msgbox", messageBoxProcedure);
}

void useBuiltInControls() {
    setBuiltInClassRegistrar(&registerBuiltInClasses);
}

}  // namespace platform
