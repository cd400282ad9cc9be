// Procedures on top-level windows: the instance check and the topmost switch.
#pragma once

#include "base/dynamic_value.h"
#include "platform/form_toolkit.h"
#include "platform/window_system.h"

namespace brumelis {

// Walks the desktop's top-level windows top to bottom, the caller's own
// included, letting pending events run after each one. True once more than
// `allowance` windows titled exactly `title` (first 118 characters) were met.
bool AlreadyRunning(WindowSystem& desktop, FormToolkit& toolkit, const FormWindow& form, Text title,
                    DynamicValue allowance);

// Moves the window into or out of the band kept above all others and shows
// it, without moving, sizing or activating it, and without waiting for
// another program's window.
void SetTopMost(WindowSystem& desktop, WindowHandle window, bool topmost);

}  // namespace brumelis
