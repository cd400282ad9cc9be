// Procedures on top-level windows: the instance check and the topmost switch.
#pragma once

#include "platform/form_toolkit.h"
#include "platform/window_system.h"
#include "utilities/dynamic_value.h"

namespace brumelis {

// 16-bit truth values as the window utilities take them.
constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

// Walks the desktop's top-level windows top to bottom, the caller's own
// included, letting pending events run after each one. True once more than
// `allowance` windows titled exactly sTitle (first 118 characters) were met.
bool AlreadyRunning(WindowSystem& windows, FormToolkit& toolkit, const FormWindow& window,
                    Text sTitle, DynamicValue allowance);

// Moves hWnd into (bTop non-zero) or out of the topmost band and shows it,
// without moving, sizing or activating it, and without waiting for another
// thread's window. The answer is not looked at.
void SetTopMost(WindowSystem& windows, WindowHandle hWnd, std::int16_t bTop);

}  // namespace brumelis
