// The X11 suites need a display with a window manager: scripts/x11-env.sh
// makes one. Without a display they say so once instead of failing each case.
#include <gtest/gtest.h>
// After GoogleTest, whose names Xlib's macros would replace.
#include <X11/Xlib.h>

#include <iostream>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    bool listing = ::testing::GTEST_FLAG(list_tests);
    if (!listing) {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            std::cerr << "No X display: run these tests under scripts/x11-env.sh "
                         "(scripts/test.sh does).\n";
            return 1;
        }
        XCloseDisplay(display);
    }
    return RUN_ALL_TESTS();
}
