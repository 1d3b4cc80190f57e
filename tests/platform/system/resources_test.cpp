#include "platform/system/resources.h"

#include <gtest/gtest.h>

#include "resources/test_ids.h"

extern const platform::ResourceTable testResources;

namespace {

std::string textOf(const platform::ResourceEntry* entry) {
    return entry ? std::string(reinterpret_cast<const char*>(entry->data.data()), entry->data.size())
                 : "(none)";
}

class Resources : public ::testing::Test {
  protected:
    HINSTANCE module = platform::registerModule(testResources);
};

}  // namespace

TEST_F(Resources, StringsAreFoundByNumberAndCutToTheBuffer) {
    WCHAR buffer[100];
    EXPECT_EQ(LoadString(module, 1, buffer, 100), 8);
    EXPECT_EQ(std::u16string(buffer), u"Vellumar");
    EXPECT_EQ(LoadString(module, IDS_QUOTED, buffer, 100), 28) << "a named key keeps its number";
    EXPECT_EQ(std::u16string(buffer), u"Zoë \"quoted\" # not a comment");
    EXPECT_EQ(LoadString(module, 1, buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), u"Vel");
    EXPECT_EQ(LoadString(module, 2, buffer, 100), 0);
    EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(Resources, NamedResourcesAndNumbersAreStoredLittleEndian) {
    EXPECT_EQ(textOf(platform::findResource(module, "CEUX", u"hi_res_aware")), std::string("\x01\x00", 2));
    EXPECT_EQ(textOf(platform::findResource(module, "DATA", u"Number")), "\x78\x56\x34\x12");
    EXPECT_EQ(platform::findResource(module, "CEUX", 1), nullptr);
    EXPECT_EQ(textOf(platform::findResource(module, "DIALOG", 9)), "a dialog template\n");
}

TEST_F(Resources, BitmapsBringTheirLargerVariantsAndIconsTheirSizes) {
    const auto variants = platform::findVariants(module, "BITMAP", IDB_PICTURE);
    std::vector<int> scales;
    for (const platform::ResourceEntry* variant : variants) {
        scales.push_back(variant->variant);
    }
    ASSERT_EQ(scales, (std::vector{1, 2, 4}));
    EXPECT_EQ(textOf(variants[0]) + textOf(variants[1]), "onetwo!");
    EXPECT_EQ(textOf(platform::findResource(module, "ICON", 101, 32)), "one");
    EXPECT_EQ(platform::findResource(module, "ICON", 101), nullptr) << "icons are found by their size";
}
