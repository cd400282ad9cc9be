// The GDBus session bus on a private dbus-daemon (GTestDBus): what the KWin
// and GNOME rows rely on and the recorded bus takes for granted.
#include "platform/dbus/session_bus.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "tests/support/wait.h"

namespace brumelis {
namespace {

const char kPath[] = "/example/zolvec/BrumelisBusTest";
const char kInterface[] = "example.zolvec.BrumelisBusTest1";
const std::string kIntrospection = std::string("<node><interface name='") + kInterface +
                                   "'><method name='Echo'><arg type='s' direction='in'/>"
                                   "<arg type='s' direction='out'/></method></interface></node>";

class SessionBusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        daemon_ = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_up(daemon_);
    }
    static void TearDownTestSuite() {
        g_test_dbus_down(daemon_);
        g_object_unref(daemon_);
    }
    template <class Condition>
    static bool Loop(Condition condition) {
        return test_support::WaitUntil(condition, std::chrono::seconds(5),
                                       [] { g_main_context_iteration(nullptr, FALSE); });
    }
    static GTestDBus* daemon_;
};
GTestDBus* SessionBusTest::daemon_ = nullptr;

// The program's object answers when it chooses, or refuses; a waited call
// returns by its deadline; a remote error keeps its name.
TEST_F(SessionBusTest, ExportedObjectsAnswerLaterOrRefuseAndCallsKeepTheirDeadline) {
    const auto bus = ConnectSessionBus(BusLoss::kLeftToProgram);
    ASSERT_NE(bus, nullptr);
    std::string sender;
    BusAnswer held;
    int served = 0;
    ASSERT_TRUE(bus->Export(
        kPath, kIntrospection,
        [&](const std::string& from, const std::string&, GVariant* parameters, BusAnswer answer) {
            ++served;
            sender = from;
            const gchar* said = nullptr;
            g_variant_get(parameters, "(&s)", &said);
            if (std::string(said) == "later") held = std::move(answer);
            if (std::string(said) == "no") answer(nullptr);
        }));
    std::optional<std::string> echoed;
    bus->Send(bus->UniqueName(), kPath, kInterface, "Echo", g_variant_new("(s)", "later"),
              [&](GVariant* body) { echoed = body != nullptr ? "answered" : "refused"; });
    ASSERT_TRUE(Loop([&] { return static_cast<bool>(held); }));
    EXPECT_EQ(sender, bus->UniqueName());
    EXPECT_FALSE(echoed);
    held(g_variant_new("(s)", "hello"));
    ASSERT_TRUE(Loop([&] { return echoed.has_value(); }));
    EXPECT_EQ(*echoed, "answered");

    echoed.reset();
    bus->Send(bus->UniqueName(), kPath, kInterface, "Echo", g_variant_new("(s)", "no"),
              [&](GVariant* body) { echoed = body != nullptr ? "answered" : "refused"; });
    ASSERT_TRUE(Loop([&] { return echoed.has_value(); }));
    EXPECT_EQ(*echoed, "refused");

    // Nothing answers a waited call to the program itself: its deadline ends it.
    const auto start = std::chrono::steady_clock::now();
    const BusReply unanswered =
        bus->Call(bus->UniqueName(), kPath, kInterface, "Echo", g_variant_new("(s)", "later"),
                  std::chrono::milliseconds(200));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(unanswered.error, "org.freedesktop.DBus.Error.Failed");
    ASSERT_TRUE(Loop([&] { return served == 3; }));
    held(g_variant_new("(s)", "late"));
    const BusReply unknown = bus->Call("example.zolvec.Nobody", "/", kInterface, "Echo",
                                       g_variant_new("(s)", ""), kBusDeadline);
    EXPECT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error, "org.freedesktop.DBus.Error.NameHasNoOwner");
    EXPECT_EQ(bus->MessagesSent(), 4u);
}

TEST_F(SessionBusTest, NamesOwnersAndSignalsFromOneSenderOnly) {
    const auto bus = ConnectSessionBus(BusLoss::kLeftToProgram);
    ASSERT_NE(bus, nullptr);
    EXPECT_TRUE(NameHasOwner(*bus, bus->UniqueName()));
    EXPECT_FALSE(NameHasOwner(*bus, "example.zolvec.Nobody"));
    EXPECT_EQ(NameOwner(*bus, bus->UniqueName()), bus->UniqueName());
    EXPECT_EQ(NameOwner(*bus, "example.zolvec.Nobody"), "");

    std::map<std::string, int> heard;
    const auto hear = [&](const char* who) {
        return [&heard, who](const std::string& member, GVariant*) { ++heard[who + member]; };
    };
    bus->Subscribe({bus->UniqueName(), kPath, kInterface, "", ""}, hear("us"));
    bus->Subscribe({":1.999", kPath, kInterface, "", ""}, hear("stranger"));
    bus->Subscribe({bus->UniqueName(), kPath, kInterface, "", "mine"}, hear("mine"));
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    for (const char* arg0 : {"other", "mine"}) {
        g_dbus_connection_emit_signal(connection, nullptr, kPath, kInterface, "Told",
                                      g_variant_new("(s)", arg0), nullptr);
    }
    g_object_unref(connection);
    ASSERT_TRUE(Loop([&] { return heard["usTold"] == 2 && heard["mineTold"] == 1; }));
    EXPECT_EQ(heard.count("strangerTold"), 0u);
}

}  // namespace
}  // namespace brumelis
