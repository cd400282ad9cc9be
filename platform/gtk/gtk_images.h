// Images of the GTK toolkit, decoded by GdkPixbuf from the resources compiled
// into the program: the slider gradient (the same JPEG as on Windows) and
// the application icon.
#pragma once

#include <gtk/gtk.h>

#include "platform/form_layout.h"

namespace brumelis {

// A new reference, or nullptr for kNoImage; throws std::runtime_error
// when the image is missing or cannot be decoded.
GdkPixbuf* LoadPanelImage(ImageId image);

// The icon in 16 and 32 pixels, decoded once; owned by this module.
GList* ApplicationIcons();

}  // namespace brumelis
