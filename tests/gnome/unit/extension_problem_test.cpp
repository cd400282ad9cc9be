// What the user reads when the extension does not answer, from the recorded
// replies of the Shell.
#include "platform/gnome/extension_problem.h"

#include <gtest/gtest.h>

#include <utility>

#include "base/utf8_text.h"
#include "tests/gnome/unit/recorded_shell.h"

namespace brumelis {
namespace {

std::pair<std::string, ExtensionReadiness> Read(const std::string& traffic) {
    const auto messages = testing::ReadTraffic(traffic);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(ExtensionAbsent(messages.at(0).text));
    GVariant* info = messages.at(1).Values();
    EXPECT_NE(info, nullptr);
    const std::string text = Utf8FromText(ExtensionNotRunning(info));
    const ExtensionReadiness readiness = ReadExtensionReadiness(info);
    if (info != nullptr) g_variant_unref(info);
    return {text, readiness};
}

// A program started with the session waits for an extension the Shell does
// not know yet (it reads them after taking its name), not for one the user
// turned off.
TEST(ExtensionProblem, TellsWhatToDoForEachRecordedStateAndWhetherToWait) {
    const struct {
        const char* traffic;
        const char* says;
        ExtensionReadiness readiness;
    } cases[] = {
        {"extension-missing.txt", "n'est pas installée", ExtensionReadiness::kNotYet},
        {"extension-disabled.txt", "« gnome-extensions enable brumelis@zolvec.example »",
         ExtensionReadiness::kNotSoon},
        {"extension-enabled.txt", "n'a pas pu la lancer", ExtensionReadiness::kReady},
    };
    for (const auto& each : cases) {
        const auto [text, readiness] = Read(each.traffic);
        EXPECT_NE(text.find(each.says), std::string::npos) << each.traffic;
        EXPECT_EQ(readiness, each.readiness) << each.traffic;
    }
    EXPECT_EQ(ReadExtensionReadiness(nullptr), ExtensionReadiness::kNotYet);
}

// An extension older than the Version call is version 1; any other failure
// says nothing of its version.
TEST(ExtensionProblem, ReadsTheRunningExtensionsVersion) {
    GVariant* two = g_variant_ref_sink(g_variant_new("(u)", 2u));
    EXPECT_EQ(ReadExtensionVersion(two, ""), 2u);
    g_variant_unref(two);
    EXPECT_EQ(ReadExtensionVersion(nullptr, "org.freedesktop.DBus.Error.UnknownMethod"), 1u);
    EXPECT_EQ(ReadExtensionVersion(nullptr, "org.freedesktop.DBus.Error.NoReply"), std::nullopt);
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
