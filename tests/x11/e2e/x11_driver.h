// The scenarios' driver on X11 (x11_driver.cpp): target windows of another
// process framed by the window manager, the toolbar program started beside
// them, XTest input, and reads any X client can make (EWMH properties, the
// stacking order). What the X11 checks beside the scenarios need of it:
#pragma once

#include "tests/scenarios/driver.h"
#include "tests/x11/support/x_session.h"

namespace brumelis::x11_tests {

XSession& SessionOf(scenarios::Driver& driver);

}  // namespace brumelis::x11_tests
