#include "platform/gtk/gtk_toolkit.h"

#include <unistd.h>

#include <cstdio>

#include "platform/gtk/gtk_message_box.h"
#include "platform/runtime_error_report.h"

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
GtkToolkit::GtkToolkit(const FormLayout& layout)
    : applicationTitle_(layout.applicationTitle), form_(layout, *this) {
    gdk_display_sync(gdk_display_get_default());
}

void GtkToolkit::Start(FormEvents& events) {
    events_ = &events;
    // Started first, so that ticks also run in the load handler's DoEvents.
    form_.StartTimers();
    Dispatch([](FormEvents& form) { form.Load(); });
    form_.Show();
}

int GtkToolkit::Run(FormEvents& events) {
    Start(events);
    gtk_main();
    return 0;
}

// The main loop keeps running while a handler runs (a message box has its
// own loop): the events it carries are dropped then, as no handler may
// interrupt another except through DoEvents.
void GtkToolkit::Dispatch(const Event& event) {
    if (events_ == nullptr || runningHandlers_ > openDoEvents_) return;
    ScopedCount running(runningHandlers_);
    DeliverEvent(*this, [&] { event(*events_); });
}

MessageAnswer GtkToolkit::ShowMessage(const Text& text, MessageButtons buttons, const Text& title) {
    // The hidden owner, never mapped, stands for the program as parent.
    return RunMessageBox(text, buttons, title.empty() ? applicationTitle_ : title,
                         GTK_WINDOW(form_.Owner()));
}

void GtkToolkit::DoEvents() {
    ScopedCount open(openDoEvents_);
    gdk_display_flush(gdk_display_get_default());
    for (int handled = 0; handled < kMostEventsPerPass && g_main_context_pending(nullptr);
         ++handled) {
        g_main_context_iteration(nullptr, FALSE);
    }
}

// Requests still in Xlib's buffer (the last opacity set, say) are sent
// before the process goes; nothing else runs.
void GtkToolkit::End() {
    gdk_display_flush(gdk_display_get_default());
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace brumelis
