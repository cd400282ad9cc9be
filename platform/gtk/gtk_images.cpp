#include "platform/gtk/gtk_images.h"

#include <stdexcept>
#include <string>

// Generated C, without C++ guards of its own.
extern "C" {
#include "platform/gtk/brumelis_resources.h"
}

namespace brumelis {

namespace {

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

// Image n is the bundle's images/n: the numbers of resources/resource_ids.h.
GdkPixbuf* LoadPanelImage(ImageId image) {
    if (image == kNoImage) return nullptr;
    const std::string path = "/org/brumelis/images/" + std::to_string(static_cast<int>(image));
    return Decode(path.c_str());
}

GList* ApplicationIcons() {
    static GList* const icons = [] {
        GList* list = nullptr;
        list = g_list_append(list, Decode("/org/brumelis/icons/16"));
        list = g_list_append(list, Decode("/org/brumelis/icons/32"));
        return list;
    }();
    return icons;
}

}  // namespace brumelis
