// The GTK toolkit tests' program. GTK opens the display before any test
// runs; without one the program says so and fails. Run with the child
// switch, it is instead the toolbar with a handler that fails, for the test
// of the toolkit's reaction, which ends the process it happens in.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>

#include "tests/x11/toolkit/failing_handler_child.h"

int main(int argc, char** argv) {
    using namespace brumelis::x11_tests;
    const bool child = argc == 2 && std::strcmp(argv[1], kFailingHandlerSwitch) == 0;
    if (!child) testing::InitGoogleTest(&argc, argv);
    // CTest lists the tests at build time, where there is no display.
    if (!child && GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "gtk_toolkit_tests: cannot open the X display\n");
        return 1;
    }
    if (child) return RunToolbarWithFailingHandler();
    return RUN_ALL_TESTS();
}
