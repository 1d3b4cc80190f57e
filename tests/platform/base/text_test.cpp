#include "platform/base/text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Utf16, RoundTripsThroughUtf8IncludingSurrogatePairs) {
    const std::u16string text = u"Zoë 🎨 Ärger";
    EXPECT_EQ(utf16ToUtf8(text), "Zoë 🎨 Ärger");
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(text)), text);
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");        // cut sequence
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD");      // overlong form
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
    EXPECT_EQ(utf8ToUtf16("\xFF"
                          "b"),
              u"\uFFFDb");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(FixedBuffers, CopyCutsAndTerminatesAndLengthNeverRunsPastTheEnd) {
    WCHAR buffer[4];
    copyToBuffer(buffer, 4, u"abcdef");
    EXPECT_EQ(std::u16string(buffer), u"abc");
    const WCHAR unterminated[3] = {u'x', u'y', u'z'};
    EXPECT_EQ(boundedLength(unterminated, 3), 3u);
    EXPECT_TRUE(equalsIgnoringCase(u"MonaLisa.MZA", u"monalisa.mza"));
    EXPECT_FALSE(equalsIgnoringCase(u"MonaLisa", u"MonaLis"));
}
