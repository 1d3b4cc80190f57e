#include "platform/controls/resource_templates.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
    std::vector<std::tuple<int, int, int>> keys;
    for (const ACCEL& a : *table) {
        keys.emplace_back(a.fVirt, a.key, a.cmd);
    }
    EXPECT_EQ(keys, (std::vector<std::tuple<int, int, int>>{{FVIRTKEY | FCONTROL, 'Q', 40000},
                                                            {FVIRTKEY | FCONTROL | FSHIFT, 'S', 7},
                                                            {FVIRTKEY, '5', 12}}));
    for (const char* bad : {"Ctrl+q 1\n", "Ctrl+Q\n", "Ctrl+Q 70000\n", "Meta+Q 1\n", "Ctrl+QQ 1\n"}) {
        EXPECT_FALSE(parseAcceleratorTable(bad).has_value()) << bad;
    }
}
