// What the GNOME backend reads from the Shell: the extension's signals, the
// Follow call's answer and GetExtensionInfo's, as GVariants made from the
// bytes (the first picks the message, the second its type: the right one or
// one a broken peer could send), then the operations that use what was read.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gnome/extension_problem.h"
#include "platform/gnome/gnome_window_system.h"
#include "tests/bus/recorded_bus.h"

namespace {

const char* const kSignals[] = {"Focus", "Frame", brumelis::kExtensionStateChanged, "Info"};
const char* const kTypes[] = {"(u(iiii)b)", "(u(iiii))", "(sa{sv})", "(a{sv})", "(u)", "(s)"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const char* name = kSignals[data[0] % G_N_ELEMENTS(kSignals)];
    const GVariantType* type = G_VARIANT_TYPE(kTypes[data[1] % G_N_ELEMENTS(kTypes)]);
    gpointer bytes = g_memdup2(data + 2, size - 2);
    GVariant* values =
        g_variant_ref_sink(g_variant_new_from_data(type, bytes, size - 2, FALSE, g_free, bytes));
    if (name[0] == 'I') {
        brumelis::ExtensionNotRunning(values);
    } else {
        auto bus = std::make_unique<brumelis::testing::RecordedBus>();
        brumelis::testing::RecordedBus& shell = *bus;
        shell.replies[std::string(brumelis::kExtensionPath) + " KeepAbove"] = "()";
        const auto start = brumelis::ReadShellFocus(values).value_or(brumelis::ShellFocus{});
        brumelis::GnomeWindowSystem windows(
            std::make_unique<brumelis::ShellLink>(std::move(bus), ":1.0"), start);
        // As the bus delivers it; the Shell's signal for another
        // extension is filtered there, so its reading is fuzzed here too.
        if (std::string(name) == brumelis::kExtensionStateChanged) {
            brumelis::ReadExtensionEnabled(values);
            shell.Emit({":1.0", "/org/gnome/Shell", "org.gnome.Shell.Extensions", name, ""},
                       values);
        } else {
            shell.Emit({":1.0", brumelis::kExtensionPath, brumelis::kExtensionInterface, name, ""},
                       values);
        }
        const brumelis::WindowHandle focused = windows.ForegroundWindow();
        windows.VisibleFrame(focused);
        windows.SetOpacity(focused, 100);
        windows.KeepAbove(focused, true);
    }
    g_variant_unref(values);
    return 0;
}
