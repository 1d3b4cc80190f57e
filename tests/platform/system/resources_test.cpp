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
    const platform::ResourceEntry* hiRes = platform::findResource(module, "CEUX", u"hi_res_aware");
    ASSERT_NE(hiRes, nullptr);
    ASSERT_EQ(hiRes->data.size(), 2u);
    EXPECT_EQ(static_cast<int>(hiRes->data[0]), 1);
    EXPECT_EQ(static_cast<int>(hiRes->data[1]), 0);
    const platform::ResourceEntry* number = platform::findResource(module, "DATA", u"Number");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(static_cast<int>(number->data[0]), 0x78);
    EXPECT_EQ(static_cast<int>(number->data[3]), 0x12);
    EXPECT_EQ(platform::findResource(module, "CEUX", 1), nullptr);
    EXPECT_EQ(textOf(platform::findResource(module, "DIALOG", 9)), "a dialog template\n");
}

TEST_F(Resources, BitmapsBringTheirLargerVariantsAndIconsTheirSizes) {
    const auto variants = platform::findVariants(module, "BITMAP", IDB_PICTURE);
    ASSERT_EQ(variants.size(), 3u);
    EXPECT_EQ(variants[0]->variant, 1);
    EXPECT_EQ(textOf(variants[0]), "one");
    EXPECT_EQ(variants[1]->variant, 2);
    EXPECT_EQ(textOf(variants[1]), "two!");
    EXPECT_EQ(variants[2]->variant, 4);
    EXPECT_EQ(textOf(platform::findResource(module, "ICON", 101, 32)), "one");
    EXPECT_EQ(platform::findResource(module, "ICON", 101), nullptr) << "icons are found by their size";
}
