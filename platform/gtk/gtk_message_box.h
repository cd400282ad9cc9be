// Modal message boxes over GtkMessageDialog: the texts exactly as given, no
// icon, the buttons labelled by GTK in the user's language.
#pragma once

#include <gtk/gtk.h>

#include "platform/form_toolkit.h"

namespace brumelis {

// Runs the box until it has an answer; parent may be null.
MessageAnswer RunMessageBox(const Text& text, MessageButtons buttons, const Text& title,
                            GtkWindow* parent);

}  // namespace brumelis
