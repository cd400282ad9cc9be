// The GTK toolkit tests' program. GTK opens the display before any test
// runs; without one the program says so and fails.
#include <gtk/gtk.h>
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "gtk_toolkit_tests: cannot open the X display\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
