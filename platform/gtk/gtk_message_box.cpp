#include "platform/gtk/gtk_message_box.h"

#include "platform/gtk/gtk_support.h"

namespace brumelis {

MessageAnswer RunMessageBox(const Text& text, MessageButtons buttons, const Text& title,
                            GtkWindow* parent) {
    const bool yesNo = buttons == MessageButtons::YesNo;
    GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER,
                                            yesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK, "%s",
                                            Utf8FromText(text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), Utf8FromText(title).c_str());
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    // Above the toolbar's pinned targets, as a system-modal box would be.
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    if (yesNo) {
        // The answer is Yes or No, nothing else: the box has no close
        // button, and Escape or a close request leaves it up.
        gtk_window_set_deletable(GTK_WINDOW(box), FALSE);
        gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_YES);
    }
    gint response = GTK_RESPONSE_NONE;
    do {
        response = gtk_dialog_run(GTK_DIALOG(box));
    } while (yesNo && response != GTK_RESPONSE_YES && response != GTK_RESPONSE_NO);
    gtk_widget_destroy(box);
    if (!yesNo) return MessageAnswer::Ok;
    return response == GTK_RESPONSE_NO ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace brumelis
