// What the user reads when the extension does not answer, from the recorded
// replies of the Shell.
#include "platform/gnome/extension_problem.h"

#include <gtest/gtest.h>

#include "base/utf8_text.h"
#include "tests/gnome/unit/recorded_shell.h"

namespace brumelis {
namespace {

std::string TextFor(const std::string& traffic) {
    const auto messages = testing::ReadTraffic(traffic);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(ExtensionAbsent(messages.at(0).text));
    GVariant* info = messages.at(1).Values();
    EXPECT_NE(info, nullptr);
    const std::string text = Utf8FromText(ExtensionNotRunning(info));
    if (info != nullptr) g_variant_unref(info);
    return text;
}

TEST(ExtensionProblem, TellsWhatToDoForEachRecordedState) {
    const struct {
        const char* traffic;
        const char* says;
    } cases[] = {
        {"extension-missing.txt", "n'est pas installée"},
        {"extension-disabled.txt", "« gnome-extensions enable brumelis@zolvec.example »"},
        {"extension-enabled.txt", "n'a pas pu la lancer"},
    };
    for (const auto& each : cases) {
        EXPECT_NE(TextFor(each.traffic).find(each.says), std::string::npos) << each.traffic;
    }
}

TEST(ExtensionProblem, OtherFailuresAreNotTakenForAnAbsentExtension) {
    EXPECT_FALSE(ExtensionAbsent("org.freedesktop.DBus.Error.AccessDenied"));
    EXPECT_FALSE(ExtensionAbsent(""));
    EXPECT_NE(Utf8FromText(ExtensionFailed("org.freedesktop.DBus.Error.AccessDenied"))
                  .find("refuse de servir"),
              std::string::npos);
    EXPECT_NE(Utf8FromText(ExtensionNotRunning(nullptr)).find("ne répond pas"), std::string::npos);
}

}  // namespace
}  // namespace brumelis
