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

namespace {

class QuietLink final : public brumelis::ShellLink {
public:
    void Call(const char*, GVariant* parameters, Reply reply) override {
        g_variant_unref(g_variant_ref_sink(parameters));
        if (reply) reply(nullptr);
    }
    std::string Ask(const char*, GVariant* parameters) override {
        g_variant_unref(g_variant_ref_sink(parameters));
        return {};
    }
    void OnSignal(Signal signal) override { signal_ = std::move(signal); }
    std::size_t MessagesSent() const override { return 0; }
    Signal signal_;
};

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
        auto link = std::make_unique<QuietLink>();
        QuietLink& shell = *link;
        const auto start = brumelis::ReadShellFocus(values).value_or(brumelis::ShellFocus{});
        brumelis::GnomeWindowSystem windows(std::move(link), start);
        shell.signal_(name, values);
        const brumelis::WindowHandle focused = windows.ForegroundWindow();
        windows.VisibleFrame(focused);
        windows.SetOpacity(focused, 100);
        windows.KeepAbove(focused, true);
    }
    g_variant_unref(values);
    return 0;
}
