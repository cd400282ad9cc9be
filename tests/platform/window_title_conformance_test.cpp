// Titles as the instance check reads them: cut to the length asked, in the
// system's own text (a window that is not there is in no snapshot: see the
// handles of no window with the order cases).
#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

// Titles whose characters differ along their length, so that a cut at the
// wrong place shows.
Text Letters(std::size_t count) {
    Text title;
    for (std::size_t i = 0; i < count; ++i) title.push_back(static_cast<char16_t>(u'a' + i % 26));
    return title;
}

TEST_P(WindowSystemConformance, TitleIsCutToTheLengthAsked) {
    const struct {
        const char* reason;
        Text title;
        std::size_t maxLength;
        Text expected;
    } rows[] = {
        {"an empty title", u"", 118, u""},
        {"118 characters fit exactly", Letters(118), 118, Letters(118)},
        {"the 119th character is cut", Letters(119), 118, Letters(118)},
        {"a long title is cut at 118", Letters(200), 118, Letters(118)},
        {"a length of 0 gives the empty text", Letters(5), 0, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const WindowHandle w = Window(row.title);
        EXPECT_EQ(std::optional<Text>(row.expected), TitleOf(w, row.maxLength));
    }
}

TEST_P(WindowSystemConformance, AccentedTitleComesBackWhole) {
    const Text title = u"Fenêtre déjà prête : àâçèéêëîïôöùûüÿ ÀÇÉÊÑÖÜ ß";
    const WindowHandle w = Window(title);
    EXPECT_EQ(std::optional<Text>(title), TitleOf(w, 118));
}

}  // namespace
}  // namespace brumelis::platform_tests
