// What the conformance suite cannot say about X11: frames and their extents,
// the properties window managers and compositors read (as xprop reads them),
// windows the window manager does not have, the window list of the instance
// check, title encodings, windows that vanish, and a cache that follows what
// other clients change.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_tree.h"
#include "tests/x11/support/wait.h"
#include "tests/x11/x11_window_backend.h"
// Last: Xlib's macros would rename GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace brumelis::x11_tests {
namespace {

std::array<int, 4> Corners(const std::optional<ScreenRect>& rect) {
    if (!rect) return {-1, -1, -1, -1};
    return {rect->left, rect->top, rect->right, rect->bottom};
}

class X11WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(backend_.Connected()); }

    WindowSystem& Calls() { return backend_.Calls(); }
    Display* Connection() { return backend_.Connection(); }
    Atom AtomOf(const char* name) { return XInternAtom(Connection(), name, False); }

    WindowHandle Start(TargetOptions options) {
        const WindowHandle handle = backend_.Start(options);
        EXPECT_NE(0, handle) << "the target window did not come up";
        return handle;
    }
    WindowHandle Decorated(const std::string& title, ScreenRect rect = {100, 120, 400, 320}) {
        TargetOptions options{title};
        options.rect = rect;
        options.decorated = true;
        return Start(options);
    }
    WindowHandle OverrideRedirect(const std::string& title, ScreenRect rect = {5, 5, 15, 15},
                                  bool hidden = false) {
        TargetOptions options{title};
        options.rect = rect;
        options.overrideRedirect = true;
        options.hidden = hidden;
        return Start(options);
    }
    Window FrameOf(WindowHandle w) { return x11::TopLevelOf(Connection(), static_cast<Window>(w)); }
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
    std::vector<WindowHandle> Listed(WindowHandle start) {
        std::vector<WindowHandle> seen;
        for (const ListedWindow& listed : Calls().TopLevelWindows(start, 118)) {
            seen.push_back(listed.window);
        }
        return seen;
    }
    std::optional<unsigned long> Opacity(Window window) {
        backend_.Settle();
        return backend_.Cardinal(window, "_NET_WM_WINDOW_OPACITY");
    }
    bool StateHoldsAbove(WindowHandle w) { return backend_.KeptAbove(w); }
    std::vector<std::string> PropertyNames(Window window) {
        int count = 0;
        Atom* atoms = XListProperties(Connection(), window, &count);
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            char* name = XGetAtomName(Connection(), atoms[i]);
            names.emplace_back(name);
            XFree(name);
        }
        if (atoms != nullptr) XFree(atoms);
        return names;
    }
    // The client's outline on the root.
    ScreenRect ClientRect(WindowHandle w) {
        XWindowAttributes own{};
        XGetWindowAttributes(Connection(), static_cast<Window>(w), &own);
        int x = 0;
        int y = 0;
        Window child = None;
        XTranslateCoordinates(Connection(), static_cast<Window>(w), DefaultRootWindow(Connection()),
                              0, 0, &x, &y, &child);
        return {x, y, x + own.width, y + own.height};
    }

    X11WindowBackend backend_;
};

TEST_F(X11WindowSystemTest, VisibleFrameIsTheFrameAndFollowsItsMoves) {
    const WindowHandle w = Decorated("moved");
    const Window frame = FrameOf(w);
    ASSERT_NE(static_cast<Window>(w), frame) << "the window manager did not reparent it";
    EXPECT_EQ((std::array<int, 4>{100, 120, 400, 320}), Corners(Calls().VisibleFrame(w)));
    EXPECT_LT(120, ClientRect(w).top) << "the title bar belongs to the visible frame";

    int told = 0;
    Calls().WatchMoves(w, [&] { ++told; });
    // Moved by the window manager, on a pager's request: frame corner at 250, 60.
    constexpr long kNorthWest = 1, kX = 1 << 8, kY = 1 << 9, kFromTool = 2 << 12;
    x11::SendToRoot(Connection(), static_cast<Window>(w), AtomOf("_NET_MOVERESIZE_WINDOW"),
                    {kNorthWest | kX | kY | kFromTool, 250, 60, 0, 0});
    XFlush(Connection());
    std::array<int, 4> seen{};
    EXPECT_TRUE(WaitUntil([&] {
        seen = Corners(Calls().VisibleFrame(w));
        return seen == std::array<int, 4>{250, 60, 550, 260};
    })) << seen[0]
        << "," << seen[1] << " " << seen[2] << "," << seen[3];
    EXPECT_NE(0, told) << "the watcher heard of the move";
}

TEST_F(X11WindowSystemTest, VisibleFrameLeavesOutWhatTheFrameExtentsLeaveOut) {
    const WindowHandle w = Decorated("invisible borders");
    ASSERT_TRUE(Calls().VisibleFrame(w));
    // As metacity and mutter report it: less than the frame window, whose
    // invisible resize borders lie outside the visible frame.
    const x11::Longs extents{2, 3, 4, 5};  // left, right, top, bottom
    x11::WriteLongs(Connection(), static_cast<Window>(w), AtomOf("_NET_FRAME_EXTENTS"), XA_CARDINAL,
                    extents);
    XFlush(Connection());
    const ScreenRect client = ClientRect(w);
    const std::array<int, 4> expected{client.left - 2, client.top - 4, client.right + 3,
                                      client.bottom + 5};
    EXPECT_TRUE(WaitUntil([&] { return Corners(Calls().VisibleFrame(w)) == expected; }));
}

TEST_F(X11WindowSystemTest, OpacityGoesOnFrameAndClientAsOpacityTimes0x01010101) {
    const WindowHandle w = Decorated("faded");
    const Window client = static_cast<Window>(w);
    const Window frame = FrameOf(w);
    ASSERT_NE(client, frame);
    const struct {
        int opacity;
        unsigned long property;
    } rows[] = {{255, 0xFFFFFFFF}, {128, 0x80808080}, {1, 0x01010101}, {0, 0}, {200, 0xC8C8C8C8}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.opacity);
        Calls().SetOpacity(w, static_cast<std::uint8_t>(row.opacity));
        EXPECT_EQ(row.property, Opacity(frame)) << "the compositor reads the frame";
        EXPECT_EQ(row.property, Opacity(client));
    }
}

TEST_F(X11WindowSystemTest, NothingOfOursIsLeftOnAnotherProgramsWindow) {
    const WindowHandle w = Decorated("foreign");
    ASSERT_TRUE(backend_.MakeForeground(w));
    Calls().VisibleFrame(w);
    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(w, true));
    EXPECT_TRUE(StateHoldsAbove(w)) << "the window manager put it above";
    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().SetOpacity(w, 77)) << "xcompmgr runs";
    Calls().Activate(w);
    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(w, false));
    EXPECT_FALSE(StateHoldsAbove(w));
    for (const Window window : {static_cast<Window>(w), FrameOf(w)}) {
        for (const std::string& name : PropertyNames(window)) {
            EXPECT_EQ(std::string::npos, name.find("BRUMELIS")) << name;
        }
    }
}

// No window manager to ask, and nothing written on another program's window.
TEST_F(X11WindowSystemTest, WindowsTheManagerDoesNotHaveAreRefusedAndLeftAsTheyAre) {
    TargetOptions pinnedOptions{"pinned"};
    pinnedOptions.rect = {0, 0, 200, 200};
    const WindowHandle pinned = Start(pinnedOptions);
    ASSERT_TRUE(backend_.MakeForeground(pinned));
    TargetOptions withdrawnOptions{"withdrawn"};
    withdrawnOptions.hidden = true;
    const struct {
        const char* reason;
        WindowHandle window;
    } rows[] = {
        {"override-redirect, shown", OverrideRedirect("popup", {20, 30, 53, 143})},
        {"override-redirect, hidden", OverrideRedirect("hidden popup", {5, 5, 15, 15}, true)},
        {"withdrawn", Start(withdrawnOptions)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const bool shown = backend_.IsVisible(row.window);
        const std::vector<Window> stacking = RootChildrenTopFirst();
        EXPECT_EQ(ChangeAnswer::kRefused, Calls().KeepAbove(row.window, true));
        EXPECT_FALSE(StateHoldsAbove(row.window));
        EXPECT_EQ(shown, backend_.IsVisible(row.window)) << "neither shown nor hidden";
        EXPECT_EQ(stacking, RootChildrenTopFirst()) << "nor restacked";
        Calls().Activate(row.window);
        backend_.Settle();
        EXPECT_EQ(pinned, Calls().ForegroundWindow()) << "only managed windows are activated";
    }
    EXPECT_EQ((std::array<int, 4>{20, 30, 53, 143}), Corners(Calls().VisibleFrame(rows[0].window)))
        << "a window without a frame";
}

TEST_F(X11WindowSystemTest, ListHoldsClientsUnmanagedAndHiddenWindowsButNoFrames) {
    const WindowHandle managed = Start(TargetOptions{"managed"});
    const WindowHandle unmanaged = OverrideRedirect("unmanaged");
    const WindowHandle hidden = OverrideRedirect("hidden", {5, 5, 15, 15}, true);
    const std::vector<WindowHandle> listed = Listed(managed);
    for (const WindowHandle w : {managed, unmanaged, hidden}) {
        SCOPED_TRACE(w);
        EXPECT_EQ(1, std::count(listed.begin(), listed.end(), w));
    }
    const auto frame = static_cast<WindowHandle>(FrameOf(managed));
    EXPECT_EQ(0, std::count(listed.begin(), listed.end(), frame)) << "the client stands for it";
    const auto at = [&](WindowHandle w) { return std::find(listed.begin(), listed.end(), w); };
    EXPECT_LT(at(unmanaged), at(managed)) << "mapped last, it is on top";
}

TEST_F(X11WindowSystemTest, AWindowThatVanishesChangesNothingAndTheOthersStillAnswer) {
    const WindowHandle first = Start(TargetOptions{"first"});
    const WindowHandle doomed = Decorated("doomed");
    ASSERT_TRUE(Calls().VisibleFrame(doomed)) << "followed before it goes";
    ASSERT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(doomed, true)) << "its state cached";
    backend_.DestroyTestWindow(doomed);

    EXPECT_EQ(std::nullopt, Calls().VisibleFrame(doomed));
    // Nothing to refuse.
    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(doomed, false));
    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().SetOpacity(doomed, 9));
    Calls().Activate(doomed);
    EXPECT_TRUE(Calls().TopLevelWindows(doomed, 118).empty());
    const std::vector<WindowHandle> listed = Listed(first);
    EXPECT_EQ(0, std::count(listed.begin(), listed.end(), doomed));
    EXPECT_EQ(1, std::count(listed.begin(), listed.end(), first));
    EXPECT_TRUE(Calls().VisibleFrame(first)) << "the others still answer";
}

TEST_F(X11WindowSystemTest, HandlesNoXWindowCanHaveFailQuietly) {
    const struct {
        const char* reason;
        WindowHandle handle;
    } rows[] = {
        {"no window", 0},
        {"a negative handle", -12345},
        {"past every id the server hands out", 0x7FFFFFFF},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const WindowHandle h = row.handle;
        EXPECT_EQ(std::nullopt, Calls().VisibleFrame(h));
        EXPECT_TRUE(Calls().TopLevelWindows(h, 118).empty());
        EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(h, true));
        EXPECT_EQ(ChangeAnswer::kAccepted, Calls().SetOpacity(h, 9));
        Calls().Activate(h);
    }
}

TEST_F(X11WindowSystemTest, TitlesOfEveryEncodingArriveCutToTheLengthAsked) {
    const struct {
        const char* reason;
        std::string name;
        std::string title;
        std::size_t maxLength;
        Text expected;
    } rows[] = {
        {"_NET_WM_NAME in UTF-8", "utf8", "Fenêtre déjà vue", 118, u"Fenêtre déjà vue"},
        {"beyond Latin-1", "utf8", "café ☃ €", 118, u"café ☃ €"},
        {"cut in UTF-16 characters", "utf8", "Fenêtre déjà vue", 4, u"Fenê"},
        {"WM_NAME alone, as STRING (Latin-1)", "latin1", "Élan", 118, u"Élan"},
        {"WM_NAME alone, as COMPOUND_TEXT", "compound", "Ça ira", 118, u"Ça ira"},
        {"no title at all", "none", "ignored", 118, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        TargetOptions options;
        options.title = row.title;
        options.name = row.name;
        options.hidden = true;
        const WindowHandle w = Start(options);
        std::optional<Text> title = u"(not listed)";
        for (const ListedWindow& listed : Calls().TopLevelWindows(w, row.maxLength)) {
            if (listed.window == w) title = listed.title;
        }
        EXPECT_EQ(row.expected, title.value_or(u"(none)"));
    }
}

// What the root says of the window manager, changed as another manager (or
// none) would leave it, and put back: the pin is answered for what the
// manager can do now, and only asked of a manager that takes it.
TEST_F(X11WindowSystemTest, KeepAboveIsAnsweredForTheManagerTheRootShows) {
    const WindowHandle w = Start(TargetOptions{"pinned where it cannot be"});
    const Window root = DefaultRootWindow(Connection());
    const Atom supported = AtomOf("_NET_SUPPORTED");
    const Atom check = AtomOf("_NET_SUPPORTING_WM_CHECK");
    const Atom above = AtomOf("_NET_WM_STATE_ABOVE");
    const x11::Longs saved = x11::ReadLongs(Connection(), root, supported, XA_ATOM).value();
    const x11::Longs savedCheck = x11::ReadLongs(Connection(), root, check, XA_WINDOW).value();
    ASSERT_NE(saved.end(), std::find(saved.begin(), saved.end(), above)) << "Openbox has it";
    x11::Longs withoutAbove = saved;
    withoutAbove.erase(std::remove(withoutAbove.begin(), withoutAbove.end(), above),
                       withoutAbove.end());
    // A window that does not name itself: the check window of a manager
    // that died, its id reused.
    const Window stranger = XCreateSimpleWindow(Connection(), root, 0, 0, 1, 1, 0, 0, 0);
    const struct {
        const char* root;
        Atom property;
        Atom type;
        x11::Longs value;
        ChangeAnswer expected;
    } rows[] = {
        {"lists no above state (as i3)", supported, XA_ATOM, withoutAbove,
         ChangeAnswer::kUnsupported},
        {"names a dead check window", check, XA_WINDOW, {stranger}, ChangeAnswer::kNotNow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.root);
        const x11::Longs before = row.property == check ? savedCheck : saved;
        x11::WriteLongs(Connection(), root, row.property, row.type, row.value);
        XFlush(Connection());
        EXPECT_TRUE(WaitUntil([&] { return Calls().KeepAbove(w, true) == row.expected; }));
        EXPECT_FALSE(StateHoldsAbove(w));
        x11::WriteLongs(Connection(), root, row.property, row.type, before);
        XFlush(Connection());
        EXPECT_TRUE(
            WaitUntil([&] { return Calls().KeepAbove(w, true) == ChangeAnswer::kAccepted; }));
        EXPECT_TRUE(StateHoldsAbove(w));
        Calls().KeepAbove(w, false);
        EXPECT_TRUE(WaitUntil([&] { return !StateHoldsAbove(w); }));
    }
    XDestroyWindow(Connection(), stranger);
}

}  // namespace
}  // namespace brumelis::x11_tests
