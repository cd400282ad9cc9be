// The calls the KWin script makes to the program, as the program reads
// them: the token first (as the script sends it), then values made from
// the bytes (the first picks the method, the second the type: the one the
// script sends or one a broken script could), then the operations that use
// what was read.
#include <glib.h>
#include <glib/gstdio.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/kwin/kwin_window_system.h"
#include "tests/bus/recorded_bus.h"

namespace {

const char kKWin[] = ":1.0";
const char kToken[] = "a0c103ebbd80a3517251719d47c266b4";
const char* const kMethods[] = {"Window", "Closed", "NextCommand"};
const char* const kTypes[] = {"(sssss)", "(s)", "()", "(ssss)", "(ssssss)", "(i)"};

// KWin 5.27's answers to the start, and the script's first report.
std::unique_ptr<brumelis::testing::RecordedBus> KWin5() {
    auto bus = std::make_unique<brumelis::testing::RecordedBus>();
    bus->replies = {{"/org/freedesktop/DBus GetNameOwner", "(':1.0',)"},
                    {"/Scripting loadScript", "(0,)"},
                    {"/Scripting unloadScript", "(true,)"},
                    {"/Scripting isScriptLoaded", "(true,)"},
                    {"/0 run", "()"}};
    bus->onRun = {
        {kKWin, "Window", std::string("('") + kToken + "', '{1}', '0', '0', '10', '10')"}};
    return bus;
}

// Where the scripts are written, made once and removed when the run ends.
const char* ScriptDirectory() {
    static gchar* directory = [] {
        gchar* made = g_dir_make_tmp("brumelis-fuzz-XXXXXX", nullptr);
        if (made != nullptr) std::atexit([] { g_rmdir(ScriptDirectory()); });
        return made;
    }();
    return directory != nullptr ? directory : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // A window system of its own for each input, so that a finding replays.
    const char* directory = ScriptDirectory();
    auto made = KWin5();
    brumelis::testing::RecordedBus* bus = made.get();
    const auto windows = brumelis::KWinWindowSystem::Load(
        std::move(made), brumelis::KWinStart{4242, directory, {}, kToken});
    if (!windows) return 0;
    const GVariantType* type = G_VARIANT_TYPE(kTypes[data[1] % G_N_ELEMENTS(kTypes)]);
    gpointer bytes = g_memdup2(data + 2, size - 2);
    GVariant* rest =
        g_variant_ref_sink(g_variant_new_from_data(type, bytes, size - 2, FALSE, g_free, bytes));
    GVariantBuilder call;
    g_variant_builder_init(&call, G_VARIANT_TYPE_TUPLE);
    g_variant_builder_add(&call, "s", kToken);
    for (gsize i = 0; i < g_variant_n_children(rest); ++i) {
        GVariant* child = g_variant_get_child_value(rest, i);
        g_variant_builder_add_value(&call, child);
        g_variant_unref(child);
    }
    g_variant_unref(rest);
    GVariant* parameters = g_variant_ref_sink(g_variant_builder_end(&call));
    bus->Deliver(kKWin, kMethods[data[0] % G_N_ELEMENTS(kMethods)], parameters);
    g_variant_unref(parameters);
    const brumelis::WindowHandle active = windows->ForegroundWindow();
    windows->VisibleFrame(active);
    windows->TopLevelWindows(active, 118);
    return 0;
}
