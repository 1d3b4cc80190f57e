#include "platform/controls/resource_templates.h"

#include <gtest/gtest.h>

#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/windows/window.h"

using platform::parseAcceleratorTable;
using platform::parseDialogTemplate;

TEST(DialogTemplateText, AnyUnreadableLineRefusesTheWholeTemplate) {
    for (const char* bad : {"title Choose\n", "size 148\n", "titlebutton IDYES\n",
                            "control Button 1 \"Open\" 18 106 50 14 WS_NOSUCHSTYLE\n",
                            "control Button one \"Open\" 18 106 50 14\n",
                            "control Button 1 \"Open 18 106 50 14\n", "colour red\n"}) {
        EXPECT_FALSE(parseDialogTemplate(bad).has_value()) << bad;
    }
    EXPECT_TRUE(parseDialogTemplate("").has_value()) << "an empty dialog is a dialog";
}

TEST(AcceleratorText, KeysWithModifiersAndCommands) {
    const auto table = parseAcceleratorTable("Ctrl+Q 40000  # close\nCtrl+Shift+S 7\n5 12\n");
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->size(), 3u);
    EXPECT_EQ((*table)[0].key, 'Q');
    EXPECT_EQ((*table)[0].cmd, 40000);
    EXPECT_EQ((*table)[0].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ((*table)[1].fVirt, FVIRTKEY | FCONTROL | FSHIFT);
    EXPECT_EQ((*table)[2].key, '5');
    for (const char* bad : {"Ctrl+q 1\n", "Ctrl+Q\n", "Ctrl+Q 70000\n", "Meta+Q 1\n", "Ctrl+QQ 1\n"}) {
        EXPECT_FALSE(parseAcceleratorTable(bad).has_value()) << bad;
    }
}
