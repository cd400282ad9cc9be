#include "platform/gtk/gtk_toolkit.h"

#include <unistd.h>

#include <cstdio>

#include "platform/gtk/gtk_message_box.h"

namespace brumelis {

namespace {

// Events already queued are handled; events that their handlers cause come
// after, as on Windows, but a queue that never empties (a flood of moves)
// still lets the caller go on.
constexpr int kMostEventsPerPass = 1000;

}  // namespace

// The windows bearing the caption are on the server when this returns: left
// in Xlib's buffer, the last one realized (the toolbar) was missing from
// another copy's window list (measured: one of the two captioned windows
// seen from another client, every time).
GtkToolkit::GtkToolkit(const FormLayout& layout, std::unique_ptr<ToplevelPlacement> placement)
    : applicationTitle_(layout.applicationTitle), form_(layout, *this, std::move(placement)) {
    gdk_display_sync(gdk_display_get_default());
}

void GtkToolkit::Start(FormEvents& events) {
    form_.Input().Start(events);
    // Started first, so that ticks also run in the load handler's DoEvents.
    form_.StartTimers();
    form_.Input().Load();
    form_.Show();
}

int GtkToolkit::Run(FormEvents& events) {
    Start(events);
    gtk_main();
    return 0;
}

MessageAnswer GtkToolkit::ShowMessage(const Text& text, MessageButtons buttons, const Text& title) {
    // The hidden owner, never mapped, stands for the program as parent.
    return RunMessageBox(text, buttons, title.empty() ? applicationTitle_ : title,
                         GTK_WINDOW(form_.Owner()));
}

void GtkToolkit::DoEvents() {
    const ScopedCount open = form_.Input().LetPendingEventsRun();
    gdk_display_flush(gdk_display_get_default());
    for (int handled = 0; handled < kMostEventsPerPass && g_main_context_pending(nullptr);
         ++handled) {
        g_main_context_iteration(nullptr, FALSE);
    }
}

// Requests still in Xlib's buffer (the last opacity set, say) are sent
// before the process goes; nothing else runs.
void GtkToolkit::End() {
    if (beforeEnd_) beforeEnd_();
    gdk_display_flush(gdk_display_get_default());
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace brumelis
