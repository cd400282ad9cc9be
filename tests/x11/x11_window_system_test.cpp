// What the conformance suite cannot say about X11: frames, the opacity
// properties compositors read, override-redirect windows like the toolbar,
// the window list the instance check walks, title encodings, and windows
// that vanish in the middle of a walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/x11/utf8_text.h"
#include "tests/x11/x11_window_backend.h"
#include "utilities/window_utilities.h"
// Last: Xlib's macros would rename GoogleTest's names.
#include <X11/Xlib.h>

namespace brumelis::x11_tests {
namespace {

constexpr std::uint32_t kBandFlags = 0x53;
constexpr char kUntouched = '#';

class X11WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(backend_.Connected()); }

    WindowSystem& Calls() { return backend_.Calls(); }
    Display* Connection() { return backend_.Connection(); }

    WindowHandle Start(TargetOptions options) {
        const WindowHandle handle = backend_.Start(options);
        EXPECT_NE(0, handle) << "the target window did not come up";
        return handle;
    }
    WindowHandle OverrideRedirect(const std::string& title, ScreenRect rect = {5, 5, 15, 15},
                                  bool hidden = false) {
        TargetOptions options;
        options.title = title;
        options.rect = rect;
        options.overrideRedirect = true;
        options.hidden = hidden;
        return Start(options);
    }
    // The children of the root, topmost first, as the server stacks them.
    std::vector<Window> RootChildrenTopFirst() {
        backend_.Settle();
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(Connection(), DefaultRootWindow(Connection()), &root, &parent, &children,
                   &count);
        std::vector<Window> order(children, children + count);
        if (children != nullptr) XFree(children);
        std::reverse(order.begin(), order.end());
        return order;
    }
    std::vector<WindowHandle> Walk(WindowHandle start) {
        std::vector<WindowHandle> seen;
        for (WindowHandle h = Calls().GetWindow(start, win::kFirstWindow);
             h != 0 && seen.size() < 10000; h = Calls().GetWindow(h, win::kNextWindow)) {
            seen.push_back(h);
        }
        return seen;
    }
    std::optional<unsigned long> Opacity(Window window) {
        backend_.Settle();
        return backend_.Cardinal(window, "_NET_WM_WINDOW_OPACITY");
    }

    X11WindowBackend backend_;
};

TEST_F(X11WindowSystemTest, RectangleOfADecoratedWindowIsItsFrame) {
    TargetOptions options;
    options.title = "decorated";
    options.rect = {100, 120, 400, 320};
    options.decorated = true;
    const WindowHandle w = Start(options);
    const Window frame = backend_.System().TopLevelOf(static_cast<Window>(w));
    ASSERT_NE(static_cast<Window>(w), frame) << "the window manager did not reparent it";

    ScreenRect rect{};
    ASSERT_TRUE(Calls().GetWindowRect(w, rect));
    XWindowAttributes framed{};
    ASSERT_NE(0, XGetWindowAttributes(Connection(), frame, &framed));
    EXPECT_EQ(
        (std::array<int, 4>{framed.x, framed.y, framed.x + framed.width, framed.y + framed.height}),
        (std::array<int, 4>{rect.left, rect.top, rect.right, rect.bottom}));
    EXPECT_EQ((std::array<int, 4>{100, 120, 400, 320}),
              (std::array<int, 4>{rect.left, rect.top, rect.right, rect.bottom}));

    int clientX = 0;
    int clientY = 0;
    Window child = None;
    XTranslateCoordinates(Connection(), static_cast<Window>(w), DefaultRootWindow(Connection()), 0,
                          0, &clientX, &clientY, &child);
    EXPECT_LT(rect.top, clientY) << "the title bar belongs to the rectangle";
}

TEST_F(X11WindowSystemTest, OpacityGoesOnFrameAndClientAsAlphaTimes0x01010101) {
    TargetOptions options;
    options.title = "faded";
    options.decorated = true;
    const WindowHandle w = Start(options);
    const Window client = static_cast<Window>(w);
    const Window frame = backend_.System().TopLevelOf(client);
    ASSERT_NE(client, frame);
    Calls().SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    const struct {
        int alpha;
        unsigned long opacity;
    } rows[] = {{255, 0xFFFFFFFF}, {128, 0x80808080}, {1, 0x01010101}, {0, 0}, {200, 0xC8C8C8C8}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.alpha);
        ASSERT_TRUE(Calls().SetLayeredWindowAttributes(w, 0, static_cast<std::uint8_t>(row.alpha),
                                                       win::kUseAlpha));
        EXPECT_EQ(row.opacity, Opacity(frame)) << "the compositor reads the frame";
        EXPECT_EQ(row.opacity, Opacity(client));
    }
    Calls().SetWindowLongA(w, win::kExtendedStyle, 0);
    EXPECT_EQ(std::nullopt, Opacity(frame)) << "no longer layered: drawn opaque";
    EXPECT_EQ(std::nullopt, Opacity(client));
}

TEST_F(X11WindowSystemTest, ColourKeysAreRefused) {
    const WindowHandle w = Start(TargetOptions{"keyed"});
    Calls().SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    constexpr std::uint32_t kColourKey = 1;
    EXPECT_FALSE(Calls().SetLayeredWindowAttributes(w, 0xFF00FF, 128, kColourKey));
    EXPECT_EQ(std::nullopt, Opacity(static_cast<Window>(w)));
}

TEST_F(X11WindowSystemTest, OverrideRedirectWindowIsRaisedDirectlyAndNeverActivated) {
    TargetOptions pinnedOptions{"pinned"};
    pinnedOptions.rect = {0, 0, 200, 200};
    const WindowHandle pinned = Start(pinnedOptions);
    ASSERT_TRUE(backend_.MakeForeground(pinned));
    ASSERT_TRUE(Calls().SetWindowPos(pinned, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    const ScreenRect place{20, 30, 53, 143};
    const WindowHandle toolbar = OverrideRedirect("toolbar", place);
    // Under the pinned window, as a window manager's restacking may leave it.
    XLowerWindow(Connection(), static_cast<Window>(toolbar));
    ASSERT_NE(static_cast<Window>(toolbar), RootChildrenTopFirst().front());

    EXPECT_TRUE(Calls().SetWindowPos(toolbar, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_EQ(static_cast<Window>(toolbar), RootChildrenTopFirst().front());
    EXPECT_NE(0, Calls().GetWindowLongA(toolbar, win::kExtendedStyle) & win::kTopmostStyle);
    EXPECT_TRUE(Calls().SetWindowPos(toolbar, win::kNonTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_EQ(0, Calls().GetWindowLongA(toolbar, win::kExtendedStyle) & win::kTopmostStyle);

    ScreenRect rect{};
    ASSERT_TRUE(Calls().GetWindowRect(toolbar, rect)) << "a window without a frame";
    EXPECT_EQ((std::array<int, 4>{20, 30, 53, 143}),
              (std::array<int, 4>{rect.left, rect.top, rect.right, rect.bottom}));
    EXPECT_EQ(0, Calls().SetActiveWindow(toolbar)) << "only managed windows are activated";
    backend_.Settle();
    EXPECT_EQ(pinned, Calls().GetForegroundWindow());
}

TEST_F(X11WindowSystemTest, WalkHoldsClientsUnmanagedAndHiddenWindowsButNoFrames) {
    const WindowHandle managed = Start(TargetOptions{"managed"});
    const WindowHandle unmanaged = OverrideRedirect("unmanaged");
    const WindowHandle hidden = OverrideRedirect("hidden", {5, 5, 15, 15}, true);
    const std::vector<WindowHandle> walk = Walk(managed);
    for (const WindowHandle w : {managed, unmanaged, hidden}) {
        SCOPED_TRACE(w);
        EXPECT_EQ(1, std::count(walk.begin(), walk.end(), w));
    }
    const auto frame =
        static_cast<WindowHandle>(backend_.System().TopLevelOf(static_cast<Window>(managed)));
    EXPECT_EQ(0, std::count(walk.begin(), walk.end(), frame)) << "the client stands for it";
    const auto at = [&](WindowHandle w) { return std::find(walk.begin(), walk.end(), w); };
    EXPECT_LT(at(unmanaged), at(managed)) << "mapped last, it is on top";
}

TEST_F(X11WindowSystemTest, WalkGoesOnPastAWindowThatVanishesUnderIt) {
    const WindowHandle first = Start(TargetOptions{"first"});
    const WindowHandle doomed = Start(TargetOptions{"doomed"});
    const WindowHandle last = OverrideRedirect("last");
    // Up to the doomed window, past the window manager's and others' windows.
    std::vector<WindowHandle> met;
    WindowHandle h = Calls().GetWindow(first, win::kFirstWindow);
    for (; h != 0 && h != doomed && met.size() < 10000;
         h = Calls().GetWindow(h, win::kNextWindow)) {
        met.push_back(h);
    }
    ASSERT_EQ(doomed, h);
    EXPECT_EQ(1, std::count(met.begin(), met.end(), last)) << "the newest window comes first";
    backend_.DestroyTestWindow(doomed);

    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), kUntouched);
    EXPECT_EQ(0, Calls().GetWindowTextA(doomed, buffer, 16));
    EXPECT_EQ(kUntouched, buffer[1]);
    ScreenRect rect{1, 2, 3, 4};
    EXPECT_FALSE(Calls().GetWindowRect(doomed, rect));
    EXPECT_EQ(1, rect.left);
    EXPECT_EQ(0, Calls().GetWindowLongA(doomed, win::kExtendedStyle));
    EXPECT_EQ(0, Calls().SetWindowLongA(doomed, win::kExtendedStyle, win::kLayeredStyle));
    EXPECT_FALSE(Calls().SetLayeredWindowAttributes(doomed, 0, 9, win::kUseAlpha));
    EXPECT_FALSE(Calls().SetWindowPos(doomed, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_EQ(0, Calls().SetActiveWindow(doomed));

    std::vector<WindowHandle> rest;
    for (h = Calls().GetWindow(h, win::kNextWindow); h != 0 && rest.size() < 10000;
         h = Calls().GetWindow(h, win::kNextWindow)) {
        rest.push_back(h);
    }
    EXPECT_EQ(1, std::count(rest.begin(), rest.end(), first)) << "the walk reached the bottom";
}

TEST_F(X11WindowSystemTest, HandlesNoXWindowCanHaveFailQuietly) {
    const struct {
        const char* reason;
        WindowHandle handle;
    } rows[] = {
        {"the topmost insertion handle", win::kTopmostBand},
        {"a negative handle", -12345},
        {"past every id the server hands out", 0x7FFFFFFF},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const WindowHandle h = row.handle;
        char buffer[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
        EXPECT_EQ(0, Calls().GetWindowTextA(h, buffer, 4));
        EXPECT_EQ(kUntouched, buffer[1]);
        ScreenRect rect{1, 2, 3, 4};
        EXPECT_FALSE(Calls().GetWindowRect(h, rect));
        EXPECT_EQ(1, rect.left);
        EXPECT_EQ(0, Calls().GetWindow(h, win::kFirstWindow));
        EXPECT_EQ(0, Calls().GetWindow(h, win::kNextWindow));
        EXPECT_EQ(0, Calls().GetWindowLongA(h, win::kExtendedStyle));
        EXPECT_EQ(0, Calls().SetWindowLongA(h, win::kExtendedStyle, win::kLayeredStyle));
        EXPECT_FALSE(Calls().SetLayeredWindowAttributes(h, 0, 9, win::kUseAlpha));
        EXPECT_FALSE(Calls().SetWindowPos(h, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
        EXPECT_EQ(0, Calls().SetActiveWindow(h));
    }
}

TEST_F(X11WindowSystemTest, TitlesOfEveryEncodingArriveInTheCodePage) {
    const struct {
        const char* reason;
        std::string name;
        std::string title;
        std::string expected;
    } rows[] = {
        {"_NET_WM_NAME in UTF-8", "utf8", "Fenêtre déjà vue", "Fen\xEAtre d\xE9j\xE0 vue"},
        {"beyond the code page: one '?' per character", "utf8", "café ☃ €", "caf\xE9 ? ?"},
        {"WM_NAME alone, as STRING (Latin-1)", "latin1", "Élan", "\xC9lan"},
        {"WM_NAME alone, as COMPOUND_TEXT", "compound", "Ça ira",
         "\xC7"
         "a ira"},
        {"no title at all", "none", "ignored", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        TargetOptions options;
        options.title = row.title;
        options.name = row.name;
        options.hidden = true;
        const WindowHandle w = Start(options);
        std::string buffer(255, kUntouched);
        EXPECT_EQ(static_cast<std::int32_t>(row.expected.size()),
                  Calls().GetWindowTextA(w, buffer.data(), 119));
        EXPECT_EQ(row.expected + '\0', buffer.substr(0, row.expected.size() + 1));
        EXPECT_EQ(kUntouched, buffer[row.expected.size() + 1]);
    }
}

// The instance check needs only a handle of the toolkit's window and a
// pending-event pass: both are the test's.
class OwnWindow final : public FormWindow {
public:
    explicit OwnWindow(WindowHandle handle) : handle_(handle) {}
    WindowHandle Handle() const override { return handle_; }
    Text Caption() const override { return u"BrumelisZOLVEC"; }
    Twips Width() const override { return 0; }
    Twips Height() const override { return 0; }
    void SetWidth(Twips) override {}
    void SetHeight(Twips) override {}
    void Move(Twips, Twips, std::optional<Twips>, std::optional<Twips>) override {}
    void SetEnabled(bool) override {}
    ControlGeometry Geometry(ControlId) const override { return {}; }
    Text ButtonCaption(ControlId) const override { return {}; }
    void SetButtonCaption(ControlId, const Text&) override {}

private:
    WindowHandle handle_;
};

class CountingToolkit final : public FormToolkit {
public:
    MessageAnswer ShowMessage(const Text&, MessageButtons, const Text&) override {
        return MessageAnswer::Ok;
    }
    void DoEvents() override { ++passes; }
    [[noreturn]] void End() override { std::abort(); }
    int passes = 0;
};

TEST_F(X11WindowSystemTest, InstanceCheckFindsOtherCopiesUnmappedAndOverrideRedirectWindows) {
    // Each copy has a hidden owner and the override-redirect toolbar, both
    // bearing the caption; a third window so titled ends the start-up.
    const WindowHandle own = OverrideRedirect("BrumelisZOLVEC", {0, 0, 10, 10});
    OverrideRedirect("BrumelisZOLVEC", {0, 0, 10, 10}, true);
    Start(TargetOptions{"BrumelisZOLVEC extra"});  // a longer title does not count
    CountingToolkit toolkit;
    EXPECT_FALSE(AlreadyRunning(Calls(), toolkit, OwnWindow(own), u"BrumelisZOLVEC",
                                DynamicValue(std::int16_t{2})));
    const int windows = toolkit.passes;
    EXPECT_GE(windows, 3) << "one pending-event pass per window met";

    OverrideRedirect("BrumelisZOLVEC", {300, 300, 310, 310});
    EXPECT_TRUE(AlreadyRunning(Calls(), toolkit, OwnWindow(own), u"BrumelisZOLVEC",
                               DynamicValue(std::int16_t{2})));
}

}  // namespace
}  // namespace brumelis::x11_tests
