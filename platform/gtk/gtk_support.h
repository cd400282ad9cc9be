// Small helpers of the GTK backend: texts between the core's UTF-16 and
// GLib's UTF-8, twips and pixels, and ownership of GObject references.
#pragma once

#include <glib-object.h>

#include <cmath>
#include <memory>
#include <string>

#include "platform/core_types.h"

namespace brumelis {

std::string ToUtf8(const Text& text);
Text FromUtf8(const char* text);

inline Twips ToTwips(int pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}
// Twips that fall between two pixels go to the nearer one, as on Windows.
inline int ToPixels(Twips twips) {
    return static_cast<int>(std::lround(twips / static_cast<Twips>(kTwipsPerPixel)));
}

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace brumelis
