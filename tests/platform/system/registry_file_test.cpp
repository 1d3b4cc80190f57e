#include "platform/system/registry_file.h"

#include <gtest/gtest.h>

using namespace platform;

namespace platform {
static bool operator==(const RegistryValue& a, const RegistryValue& b) {
    return a.name == b.name && a.type == b.type && a.data == b.data;
}
}  // namespace platform

namespace {

constexpr const char16_t* kKey = u"HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar";

std::vector<BYTE> utf16Bytes(std::u16string_view text) {
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

}  // namespace

TEST(RegistryText, RoundTripsEveryKindOfValue) {
    RegistryDocument document;
    RegistrySection& section = document.findOrAdd(kKey);
    section.set({u"CurrentPattern", REG_SZ, utf16Bytes(u"/home/zoë/Bilder/Mona \"Lisa\".mza")});
    section.set({u"Clock", REG_DWORD, {0x78, 0x56, 0x34, 0x12}});
    section.set({u"Odd", REG_BINARY, {0x00, 0xFF, 0x10}});
    section.set({u"Short dword", REG_DWORD, {1, 2}});
    section.set({u"Text without terminator", REG_SZ, {0x41, 0x00}});
    section.set({u"Two lines", REG_SZ, utf16Bytes(u"a\nb")});
    document.findOrAdd(u"HKEY_LOCAL_MACHINE\\Software\\Other").set({u"", REG_SZ, utf16Bytes(u"")});

    const std::string text = formatRegistryText(document);
    const RegistryDocument back = parseRegistryText(text);
    EXPECT_EQ(back.damagedLines, 0) << text;
    ASSERT_EQ(back.sections.size(), 2u);
    for (std::size_t s = 0; s < 2; ++s) {
        EXPECT_EQ(back.sections[s].values, document.sections[s].values) << s;
    }
}

TEST(RegistryText, DamagedLinesAreSkippedAndCounted) {
    const auto document = parseRegistryText(
        "Windows Registry Editor Version 5.00\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n"
        "\"Level\"=dword:0000002\n"  // seven digits
        "\"Sound\"=dword:00000000\n"
        "\"SOUND\"=dword:00000001\n"        // the later value of a name wins
        "\"ColorScheme\"=dword:0000000g\n"  // not hexadecimal
        "\"Clock\"=hex(4):01,00,00\n"
        "\"PaintingMode\"=hex(4):01,,00\n"  // empty byte
        "garbage\n"
        "\"CurrentPattern\"=\"/cut/in/the/mid");  // the file ends mid-value
    ASSERT_EQ(document.sections.size(), 1u);
    const RegistrySection& section = document.sections[0];
    for (const char16_t* damaged : {u"Level", u"ColorScheme", u"PaintingMode", u"CurrentPattern"}) {
        EXPECT_EQ(section.find(damaged), nullptr);
    }
    ASSERT_EQ(section.values.size(), 2u);
    ASSERT_NE(section.find(u"Sound"), nullptr);
    EXPECT_EQ(section.find(u"Sound")->data, (std::vector<BYTE>{1, 0, 0, 0}));
    ASSERT_NE(section.find(u"Clock"), nullptr);
    EXPECT_EQ(section.find(u"Clock")->data, (std::vector<BYTE>{1, 0, 0}));
    EXPECT_EQ(document.damagedLines, 5);
}

// Comments and lines the reader cannot use are written back where they were,
// around the values as they are now; values under a broken section name
// belong nowhere.
TEST(RegistryText, UnreadLinesAndCommentsAreWrittenBackInPlace) {
    const struct {
        const char* text;
        int damaged;
        const char* written;  // after Sound is set to 1
    } cases[] = {
        {"Windows Registry Editor Version 5.00\n; my settings\n\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n; level by hand\n"
         "\"Level\"=dword:00000002\ngarbage\n\"Sound\"=dword:00000000\n",
         1,
         "Windows Registry Editor Version 5.00\n; my settings\n\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n; level by hand\n"
         "\"Level\"=dword:00000002\ngarbage\n\"Sound\"=dword:00000001\n"},
        {"[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar\n\"Sound\"=dword:00000000\n", 2,
         "Windows Registry Editor Version 5.00\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar\n\"Sound\"=dword:00000000\n\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"Sound\"=dword:00000001\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        RegistryDocument document = parseRegistryText(c.text);
        EXPECT_EQ(document.damagedLines, c.damaged);
        document.findOrAdd(kKey).set({u"Sound", REG_DWORD, {1, 0, 0, 0}});
        EXPECT_EQ(formatRegistryText(document), c.written);
        EXPECT_EQ(formatRegistryText(parseRegistryText(c.written)), c.written);
    }
}
