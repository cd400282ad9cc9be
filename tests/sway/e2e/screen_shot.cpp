// Through the wlroots screen-copy protocol (version 1) on one connection
// kept for the test program's life: starting grim for each look took 40 to
// 90 ms on a busy machine, slower than the follower's tick that the dragged
// window's scenario must out-pace. The interfaces of the screen copy and
// of xdg-output (where each output lies) are written out below as
// wayland-scanner would generate them.
#include "tests/sway/e2e/screen_shot.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <deque>

namespace brumelis::sway_tests {

namespace {

extern const wl_interface kFrameInterface;

const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_interface* kCaptureTypes[] = {
    &kFrameInterface, nullptr, &wl_output_interface, nullptr, nullptr, nullptr, nullptr};
const wl_interface* kCopyTypes[] = {&wl_buffer_interface};

const wl_message kManagerRequests[] = {{"capture_output", "nio", kCaptureTypes},
                                       {"capture_output_region", "nioiiii", kCaptureTypes},
                                       {"destroy", "", kNoTypes}};
const wl_interface kManagerInterface = {
    "zwlr_screencopy_manager_v1", 1, 3, kManagerRequests, 0, nullptr};
const wl_message kFrameRequests[] = {{"copy", "o", kCopyTypes}, {"destroy", "", kNoTypes}};
const wl_message kFrameEvents[] = {{"buffer", "uuuu", kNoTypes},
                                   {"flags", "u", kNoTypes},
                                   {"ready", "uuu", kNoTypes},
                                   {"failed", "", kNoTypes}};
const wl_interface kFrameInterface = {
    "zwlr_screencopy_frame_v1", 1, 2, kFrameRequests, 4, kFrameEvents};

// Where each output lies in the layout (xdg-output, version 1).
extern const wl_interface kOutputPlaceInterface;
const wl_interface* kPlaceTypes[] = {&kOutputPlaceInterface, &wl_output_interface};
const wl_message kPlacesRequests[] = {{"destroy", "", kNoTypes},
                                      {"get_xdg_output", "no", kPlaceTypes}};
const wl_interface kPlacesInterface = {"zxdg_output_manager_v1", 1, 2, kPlacesRequests, 0, nullptr};
const wl_message kPlaceEvents[] = {
    {"logical_position", "ii", kNoTypes}, {"logical_size", "ii", kNoTypes}, {"done", "", kNoTypes}};
const wl_message kPlaceRequests[] = {{"destroy", "", kNoTypes}};
const wl_interface kOutputPlaceInterface = {"zxdg_output_v1", 1, 1,
                                            kPlaceRequests,   3, kPlaceEvents};

constexpr std::uint32_t kCaptureRegion = 1, kCopy = 0, kDestroyFrame = 1, kGetPlace = 1;
constexpr std::uint32_t kYInvert = 1;

struct Frame {
    std::uint32_t format = 0, width = 0, height = 0, stride = 0, flags = 0;
    bool described = false, ready = false, failed = false;
};

struct FrameListener {
    void (*buffer)(void*, wl_proxy*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t);
    void (*flags)(void*, wl_proxy*, std::uint32_t);
    void (*ready)(void*, wl_proxy*, std::uint32_t, std::uint32_t, std::uint32_t);
    void (*failed)(void*, wl_proxy*);
};

const FrameListener kFrameListener{
    [](void* data, wl_proxy*, std::uint32_t format, std::uint32_t width, std::uint32_t height,
       std::uint32_t stride) {
        auto& frame = *static_cast<Frame*>(data);
        frame = Frame{format, width, height, stride, 0, true};
    },
    [](void* data, wl_proxy*, std::uint32_t flags) { static_cast<Frame*>(data)->flags = flags; },
    [](void* data, wl_proxy*, std::uint32_t, std::uint32_t, std::uint32_t) {
        static_cast<Frame*>(data)->ready = true;
    },
    [](void* data, wl_proxy*) { static_cast<Frame*>(data)->failed = true; }};

struct Output {
    wl_output* output = nullptr;
    scenarios::Rect place;  // in the layout, in logical pixels
};

struct PlaceListener {
    void (*position)(void*, wl_proxy*, std::int32_t, std::int32_t);
    void (*size)(void*, wl_proxy*, std::int32_t, std::int32_t);
    void (*done)(void*, wl_proxy*);
};

const PlaceListener kPlaceListener{
    [](void* data, wl_proxy*, std::int32_t x, std::int32_t y) {
        auto& place = *static_cast<scenarios::Rect*>(data);
        place.left = x;
        place.top = y;
    },
    [](void* data, wl_proxy*, std::int32_t width, std::int32_t height) {
        auto& place = *static_cast<scenarios::Rect*>(data);
        place.width = width;
        place.height = height;
    },
    [](void*, wl_proxy*) {}};

struct Connection {
    wl_display* display = nullptr;
    wl_shm* shm = nullptr;
    std::deque<Output> outputs;  // kept in place: their places are filled in by events
    wl_proxy* manager = nullptr;
    wl_proxy* places = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto& connection = *static_cast<Connection*>(data);
    if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        connection.shm =
            static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        connection.outputs.push_back(
            {static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1)),
             {}});
    } else if (std::strcmp(interface, kManagerInterface.name) == 0) {
        connection.manager =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManagerInterface, 1));
    } else if (std::strcmp(interface, kPlacesInterface.name) == 0) {
        connection.places =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kPlacesInterface, 1));
    }
}

const wl_registry_listener kRegistryListener{&OnGlobal, [](void*, wl_registry*, std::uint32_t) {}};

Connection* Connected(const char* display) {
    static Connection connection;
    static bool tried = false;
    if (!tried) {
        tried = true;
        connection.display = wl_display_connect(display);
        if (connection.display != nullptr) {
            wl_registry* registry = wl_display_get_registry(connection.display);
            wl_registry_add_listener(registry, &kRegistryListener, &connection);
            wl_display_roundtrip(connection.display);
            for (Output& output : connection.outputs) {
                if (connection.places == nullptr) break;
                wl_proxy* place = wl_proxy_marshal_constructor(
                    connection.places, kGetPlace, &kOutputPlaceInterface, nullptr, output.output);
                wl_proxy_add_listener(
                    place,
                    reinterpret_cast<void (**)(void)>(const_cast<PlaceListener*>(&kPlaceListener)),
                    &output.place);
            }
            wl_display_roundtrip(connection.display);
        }
    }
    const bool usable = connection.display && connection.shm && !connection.outputs.empty() &&
                        connection.places && connection.manager;
    return usable ? &connection : nullptr;
}

// Dispatches until `done` holds; false when the connection broke.
template <class Done>
bool DispatchUntil(wl_display* display, const Done& done) {
    while (!done()) {
        if (wl_display_dispatch(display) < 0) return false;
    }
    return true;
}

// The shot in shared memory, read into pixels; empty when it failed.
std::vector<std::uint32_t> Copy(Connection& connection, wl_proxy* handle, Frame& frame,
                                const scenarios::Rect& area) {
    std::vector<std::uint32_t> pixels;
    const bool eightBitRgb =
        frame.format == WL_SHM_FORMAT_ARGB8888 || frame.format == WL_SHM_FORMAT_XRGB8888;
    // On a scaled output the shot has the output's pixels: each pixel of the
    // area reads as the one at its middle.
    if (!eightBitRgb || frame.width < static_cast<std::uint32_t>(area.width) ||
        frame.height < static_cast<std::uint32_t>(area.height))
        return pixels;
    const std::size_t size = std::size_t{frame.stride} * frame.height;
    const int memory = memfd_create("brumelis-shot", MFD_CLOEXEC);
    if (memory < 0) return pixels;
    void* data = MAP_FAILED;
    if (ftruncate(memory, static_cast<off_t>(size)) == 0)
        data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, memory, 0);
    if (data != MAP_FAILED) {
        wl_shm_pool* pool = wl_shm_create_pool(connection.shm, memory, static_cast<int>(size));
        wl_buffer* buffer =
            wl_shm_pool_create_buffer(pool, 0, static_cast<std::int32_t>(frame.width),
                                      static_cast<std::int32_t>(frame.height),
                                      static_cast<std::int32_t>(frame.stride), frame.format);
        wl_shm_pool_destroy(pool);
        wl_proxy_marshal(handle, kCopy, buffer);
        if (DispatchUntil(connection.display, [&] { return frame.ready || frame.failed; }) &&
            frame.ready) {
            pixels.reserve(static_cast<std::size_t>(area.width * area.height));
            const auto middle = [](int at, int length, std::uint32_t shown) {
                return static_cast<std::size_t>((2 * at + 1) * std::int64_t{shown} / (2 * length));
            };
            for (int y = 0; y < area.height; ++y) {
                const std::size_t shownY = middle(y, area.height, frame.height);
                const std::size_t row =
                    (frame.flags & kYInvert) != 0 ? frame.height - 1 - shownY : shownY;
                const auto* line = reinterpret_cast<const std::uint32_t*>(
                    static_cast<const char*>(data) + std::size_t{frame.stride} * row);
                for (int x = 0; x < area.width; ++x)
                    pixels.push_back(line[middle(x, area.width, frame.width)] & 0xFFFFFF);
            }
        }
        wl_buffer_destroy(buffer);
        munmap(data, size);
    }
    close(memory);
    return pixels;
}

// The area of one output, in its own logical pixels.
std::vector<std::uint32_t> ShotOf(Connection& connection, wl_output* output,
                                  const scenarios::Rect& area) {
    Frame frame;
    // Without the cursor where sway can leave it out (it still draws a
    // software cursor into the shot: the caller parks it).
    wl_proxy* handle =
        wl_proxy_marshal_constructor(connection.manager, kCaptureRegion, &kFrameInterface, nullptr,
                                     0, output, area.left, area.top, area.width, area.height);
    wl_proxy_add_listener(
        handle, reinterpret_cast<void (**)(void)>(const_cast<FrameListener*>(&kFrameListener)),
        &frame);
    std::vector<std::uint32_t> pixels;
    if (DispatchUntil(connection.display, [&] { return frame.described || frame.failed; }) &&
        !frame.failed)
        pixels = Copy(connection, handle, frame, area);
    wl_proxy_marshal(handle, kDestroyFrame);
    wl_proxy_destroy(handle);
    wl_display_flush(connection.display);
    return pixels;
}

}  // namespace

// Each output's part of the area, read from it; black where no output is.
std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area, const char* display) {
    Connection* connection = Connected(display);
    if (connection == nullptr || area.width <= 0 || area.height <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(area.width * area.height), 0);
    for (const Output& output : connection->outputs) {
        const scenarios::Rect& place = output.place;
        const int left = std::max(area.left, place.left), top = std::max(area.top, place.top);
        const int right = std::min(area.left + area.width, place.left + place.width);
        const int bottom = std::min(area.top + area.height, place.top + place.height);
        if (right <= left || bottom <= top) continue;
        const scenarios::Rect part{left - place.left, top - place.top, right - left, bottom - top};
        const std::vector<std::uint32_t> shot = ShotOf(*connection, output.output, part);
        if (shot.empty()) return {};
        for (int y = 0; y < part.height; ++y) {
            std::copy_n(shot.begin() + y * part.width, part.width,
                        pixels.begin() + (top - area.top + y) * area.width + (left - area.left));
        }
    }
    return pixels;
}

}  // namespace brumelis::sway_tests
