// The instance check over the desktop's top-level windows.
#pragma once

#include "base/dynamic_value.h"
#include "platform/form_toolkit.h"
#include "platform/window_system.h"

namespace brumelis {

// Walks the desktop's top-level windows top to bottom (one snapshot of the
// level the form is in), the caller's own included, letting pending events
// run after each one. True once more than
// `allowance` windows titled exactly `title` (first 118 characters) were met.
bool AlreadyRunning(WindowSystem& desktop, FormToolkit& toolkit, const FormWindow& form, Text title,
                    DynamicValue allowance);

}  // namespace brumelis
