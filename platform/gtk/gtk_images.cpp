#include "platform/gtk/gtk_images.h"

#include <stdexcept>
#include <string>

// Generated C, without C++ guards of its own.
extern "C" {
#include "platform/gtk/brumelis_resources.h"
}

namespace brumelis {

namespace {

const char* ResourceOf(ImageId image) {
    switch (image) {
        case ImageId::SliderGradient: return "/org/brumelis/slider_gradient.jpg";
        case ImageId::None: break;
    }
    return nullptr;
}

GdkPixbuf* Decode(const char* path) {
    // Registered on first use: the generated bundle has no constructor of
    // its own, so a static library keeps it linked in.
    static const bool registered = [] {
        brumelis_register_resource();
        return true;
    }();
    (void)registered;
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_resource(path, &error);
    if (pixbuf == nullptr) {
        const std::string message = std::string(path) + ": " + error->message;
        g_error_free(error);
        throw std::runtime_error(message);
    }
    return pixbuf;
}

}  // namespace

GdkPixbuf* LoadPanelImage(ImageId image) {
    const char* path = ResourceOf(image);
    return path == nullptr ? nullptr : Decode(path);
}

GList* ApplicationIcons() {
    static GList* const icons = [] {
        GList* list = nullptr;
        list = g_list_append(list, Decode("/org/brumelis/brumelis-16.png"));
        list = g_list_append(list, Decode("/org/brumelis/brumelis-32.png"));
        return list;
    }();
    return icons;
}

}  // namespace brumelis
