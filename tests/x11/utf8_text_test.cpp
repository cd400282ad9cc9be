// UTF-8 from X titles to the core's 16-bit text, and back for the toolkit.
#include "base/utf8_text.h"

#include <gtest/gtest.h>

namespace brumelis {
namespace {

TEST(Utf8Text, DecodesEveryLengthAndReplacesWhatIsNotACharacter) {
    const struct {
        const char* reason;
        std::string bytes;
        Text text;
    } rows[] = {
        {"ASCII", "BrumelisZOLVEC", u"BrumelisZOLVEC"},
        {"two-byte sequences", "d\xC3\xA9j\xC3\xA0", u"déjà"},
        {"three bytes", "\xE2\x82\xAC", u"€"},
        {"four bytes become a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"a cut sequence at the end", "a\xC3", u"a\uFFFD"},
        {"a lead byte without continuation", "\xE2(x", u"\uFFFD(x"},
        {"a stray continuation byte", "\x80z", u"\uFFFDz"},
        {"an overlong form of '/'", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"an embedded NUL is a character", std::string("a\0b", 3), Text(u"a\0b", 3)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.text, TextFromUtf8(row.bytes));
    }
}

TEST(Utf8Text, EncodesAndRoundTripsValidText) {
    const Text texts[] = {u"", u"Brumelis est déjà lancé.", u"€ \U0001F600 ☃",
                          u"\u007F\u0080\u07FF\u0800\uFFFF"};
    for (const Text& text : texts) {
        EXPECT_EQ(text, TextFromUtf8(Utf8FromText(text)));
    }
    EXPECT_EQ("d\xC3\xA9j\xC3\xA0", Utf8FromText(u"déjà"));
    EXPECT_EQ("\xF0\x9F\x98\x80", Utf8FromText(u"\U0001F600"));
    EXPECT_EQ(
        "\xEF\xBF\xBD"
        "a",
        Utf8FromText(Text{0xD800, u'a'}))
        << "a lone high surrogate";
    EXPECT_EQ("\xEF\xBF\xBD", Utf8FromText(Text{0xDC00})) << "a lone low surrogate";
}

}  // namespace
}  // namespace brumelis
