// What the user reads when the extension does not answer, from the recorded
// replies of the Shell.
#include "platform/gnome/extension_problem.h"

#include <gtest/gtest.h>

#include <array>

#include "base/utf8_text.h"
#include "tests/gnome/unit/recorded_traffic.h"

namespace brumelis {
namespace {

std::string TextFor(const std::string& traffic) {
    const auto messages = testing::ReadTraffic(traffic);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(ExtensionAbsent(messages.at(0).text));
    GVariant* info = messages.at(1).Values();
    EXPECT_NE(info, nullptr);
    const std::string text = Utf8FromText(ExtensionNotRunning(info)) +
                             " waited: " + std::to_string(int(ReadExtensionReadiness(info)));
    if (info != nullptr) g_variant_unref(info);
    return text;
}

TEST(ExtensionProblem, TellsWhatToDoForEachRecordedState) {
    const struct {
        const char* traffic;
        const char* says;
        const char* waited;
    } cases[] = {
        // At log-in the Shell may not know the extension yet (1): waited for.
        {"extension-missing.txt", "n'est pas installée", "waited: 1"},
        {"extension-disabled.txt", "« gnome-extensions enable brumelis@zolvec.example »",
         "waited: 2"},
        {"extension-enabled.txt", "n'a pas pu la lancer", "waited: 0"},
    };
    for (const auto& each : cases) {
        const std::string text = TextFor(each.traffic);
        EXPECT_NE(text.find(each.says), std::string::npos) << each.traffic;
        EXPECT_NE(text.find(each.waited), std::string::npos) << text;
    }
}

// GetExtensionInfo as Shell 45 and later answer it while they load their
// extensions one by one at log-in, and once they are done.
TEST(ExtensionProblem, ALoadingExtensionIsWaitedForAndAFailedOneIsNot) {
    const struct {
        const char* info;
        ExtensionReadiness readiness;
    } cases[] = {
        {"{'state': <3.0>, 'error': <''>, 'enabled': <true>}", ExtensionReadiness::kNotYet},
        {"{'state': <2.0>, 'error': <''>, 'enabled': <true>}", ExtensionReadiness::kNotYet},
        {"{'state': <8.0>, 'error': <''>, 'enabled': <true>}", ExtensionReadiness::kNotYet},
        {"{'state': <1.0>, 'error': <''>, 'enabled': <true>}", ExtensionReadiness::kReady},
        {"{'state': <3.0>, 'error': <'SyntaxError'>, 'enabled': <true>}",
         ExtensionReadiness::kNotSoon},
        {"{'state': <6.0>, 'error': <''>, 'enabled': <false>}", ExtensionReadiness::kNotSoon},
        {"{'state': <2.0>, 'error': <''>, 'enabled': <false>}", ExtensionReadiness::kNotSoon},
        {"{'state': <4.0>, 'error': <''>, 'enabled': <true>}", ExtensionReadiness::kNotSoon},
        // 43 tells neither: a disabled one is disabled, an error an error.
        {"{'state': <2.0>}", ExtensionReadiness::kNotSoon},
        {"{'state': <3.0>, 'error': <'SyntaxError'>}", ExtensionReadiness::kNotSoon},
    };
    for (const auto& each : cases) {
        GVariant* info = g_variant_ref_sink(
            g_variant_new_tuple(std::array{g_variant_new_parsed(each.info)}.data(), 1));
        EXPECT_EQ(ReadExtensionReadiness(info), each.readiness) << each.info;
        g_variant_unref(info);
    }
}

TEST(ExtensionProblem, OtherFailuresAreNotTakenForAnAbsentExtension) {
    EXPECT_FALSE(ExtensionAbsent("org.freedesktop.DBus.Error.AccessDenied"));
    EXPECT_FALSE(ExtensionAbsent(""));
    EXPECT_NE(Utf8FromText(ExtensionFailed("org.freedesktop.DBus.Error.AccessDenied"))
                  .find("refuse de servir"),
              std::string::npos);
    EXPECT_NE(Utf8FromText(ExtensionNotRunning(nullptr)).find("ne répond pas"), std::string::npos);
    // An extension without Version is version 1; another failure says nothing.
    EXPECT_EQ(ReadExtensionVersion(nullptr, "org.freedesktop.DBus.Error.UnknownMethod"), 1u);
    EXPECT_EQ(ReadExtensionVersion(nullptr, "org.freedesktop.DBus.Error.NoReply"), std::nullopt);
}

}  // namespace
}  // namespace brumelis
