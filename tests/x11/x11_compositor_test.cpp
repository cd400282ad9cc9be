// The opacity the backend sets must show on the screen: with a compositor
// running, a half-transparent window lets the window beneath show through.
// Without one it would not, and the window system says so.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/x11/support/wait.h"
#include "tests/x11/x11_window_backend.h"
// Last: Xlib's macros would rename GoogleTest's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace brumelis::x11_tests {
namespace {

struct Colour {
    int red;
    int green;
    int blue;
};

// What the screen shows at a point: the root's image holds what the
// compositor painted.
Colour ScreenPixel(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return {-1, -1, -1};
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

TEST(X11Compositor, HalfTransparentWindowShowsTheWindowBeneath) {
    X11WindowBackend backend;
    ASSERT_TRUE(backend.Connected());
    Display* display = backend.Connection();
    TargetOptions below{"below"};
    below.rect = {100, 100, 300, 300};
    below.colour = 0xFF0000;
    TargetOptions above{"above"};
    above.rect = {200, 200, 400, 400};
    above.colour = 0x0000FF;
    ASSERT_NE(0, backend.Start(below));
    const WindowHandle top = backend.Start(above);
    ASSERT_NE(0, top);
    // Where the two overlap, and where the top one is alone over the black root.
    constexpr int kOverlap = 250;
    constexpr int kAlone = 350;
    ASSERT_TRUE(WaitUntil([&] {
        const Colour c = ScreenPixel(display, kOverlap, kOverlap);
        return c.red == 0 && c.blue == 0xFF;
    })) << "the opaque top window hides the one beneath";

    EXPECT_EQ(ChangeAnswer::kAccepted, backend.Calls().SetOpacity(top, 128))
        << "xcompmgr owns the compositor's selection";

    // Half of each: what lies beneath (the red window, or the compositor's
    // background away from it) and the top window's blue.
    const Colour background = ScreenPixel(display, 600, 600);
    const auto blend = [](const Colour& beneath) {
        return Colour{beneath.red / 2, beneath.green / 2, (beneath.blue + 0xFF) / 2};
    };
    const auto near = [](const Colour& seen, const Colour& expected) {
        const auto close = [](int a, int b) { return a >= b - 8 && a <= b + 8; };
        return close(seen.red, expected.red) && close(seen.green, expected.green) &&
               close(seen.blue, expected.blue);
    };
    Colour overlap{};
    EXPECT_TRUE(WaitUntil([&] {
        overlap = ScreenPixel(display, kOverlap, kOverlap);
        return near(overlap, blend({0xFF, 0, 0}));
    })) << "over the red window: "
        << overlap.red << "," << overlap.green << "," << overlap.blue;
    const Colour alone = ScreenPixel(display, kAlone, kAlone);
    EXPECT_TRUE(near(alone, blend(background)))
        << "over the background: " << alone.red << "," << alone.green << "," << alone.blue;

    // For a person to look at: BRUMELIS_X11_SCREENSHOT=/some/file.png.
    if (const char* file = std::getenv("BRUMELIS_X11_SCREENSHOT")) {
        EXPECT_EQ(0, std::system(("import -window root '" + std::string(file) + "'").c_str()));
    }
}

// Run by the x11_bare_display entry on a display of its own, with neither
// window manager nor compositor: the selection taken here is given back to
// no one, which the shared display's compositor could not survive.
TEST(X11BareDisplay, AnswersFollowTheRootsStateAndTheOpacityIsWrittenAnyway) {
    X11WindowBackend backend;
    ASSERT_TRUE(backend.Connected());
    Display* display = backend.Connection();
    const Atom selection = XInternAtom(display, "_NET_WM_CM_S0", False);
    if (XGetSelectionOwner(display, selection) != None) {
        GTEST_SKIP() << "a compositor runs on this display";
    }
    TargetOptions options{"faded"};
    options.rect = {10, 10, 60, 60};
    options.overrideRedirect = true;  // no window manager would map a managed one
    const WindowHandle w = backend.Start(options);
    ASSERT_NE(0, w);
    EXPECT_EQ(ChangeAnswer::kNotNow, backend.Calls().KeepAbove(w, true))
        << "no window manager (yet)";
    EXPECT_EQ(ChangeAnswer::kUnsupported, backend.Calls().SetOpacity(w, 128));
    EXPECT_EQ(0x80808080UL, backend.Cardinal(static_cast<Window>(w), "_NET_WM_WINDOW_OPACITY"))
        << "recorded for a compositor to come";

    // A compositor of another client starts, then ends.
    Display* compositor = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, compositor);
    const Window owner =
        XCreateSimpleWindow(compositor, DefaultRootWindow(compositor), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(compositor, selection, owner, CurrentTime);
    XFlush(compositor);
    const auto opacityAnswer = [&] { return backend.Calls().SetOpacity(w, 200); };
    EXPECT_TRUE(WaitUntil([&] { return opacityAnswer() == ChangeAnswer::kAccepted; }));
    XDestroyWindow(compositor, owner);
    XFlush(compositor);
    EXPECT_TRUE(WaitUntil([&] { return opacityAnswer() == ChangeAnswer::kUnsupported; }));
    XCloseDisplay(compositor);
}

}  // namespace
}  // namespace brumelis::x11_tests
