#include "utilities/window_utilities.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "base/checked_arithmetic.h"
#include "base/failure.h"
#include "platform/code_page.h"

namespace brumelis {

namespace {

const Text kSource = u"AlreadyRunning";

// allowance - 1, keeping the value's numeric type as the toolkit would.
DynamicValue Decrement(const DynamicValue& allowance) {
    switch (allowance.GetKind()) {
        case DynamicValue::Kind::Null: return allowance;
        case DynamicValue::Kind::Empty: return DynamicValue(static_cast<std::int16_t>(-1));
        case DynamicValue::Kind::Boolean:
            return DynamicValue(
                static_cast<std::int16_t>(std::get<bool>(allowance.Get()) ? -2 : -1));
        case DynamicValue::Kind::Integer16:
            return DynamicValue(CheckedAdd16(std::get<std::int16_t>(allowance.Get()), -1, kSource));
        case DynamicValue::Kind::Integer32: {
            std::int32_t v = std::get<std::int32_t>(allowance.Get());
            if (v == INT32_MIN) RaiseOverflow(kSource);
            return DynamicValue(v - 1);
        }
        case DynamicValue::Kind::Single:
            return DynamicValue(std::get<float>(allowance.Get()) - 1.0f);
        case DynamicValue::Kind::String:
            // A numeric text takes part in arithmetic as its number.
            return DynamicValue(static_cast<float>(ToNumber(allowance) - 1.0));
        case DynamicValue::Kind::Array: break;
    }
    RaiseTypeMismatch(kSource);
}

bool IsLessThanOne(const DynamicValue& allowance) {
    std::optional<int> order = CompareValues(allowance, DynamicValue(std::int16_t{1}));
    return order && *order < 0;  // null never is
}

}  // namespace

bool AlreadyRunning(WindowSystem& desktop, FormToolkit& toolkit, const FormWindow& form, Text title,
                    DynamicValue allowance) {
    constexpr std::int32_t kBufferLength = 255;
    constexpr std::int32_t kMaxCount = 119;
    WindowHandle h = desktop.GetWindow(form.Handle(), win::kFirstWindow);
    while (h != 0) {
        char buffer[kBufferLength];
        std::fill(buffer, buffer + kBufferLength, ' ');
        desktop.GetWindowTextA(h, buffer, kMaxCount);
        const Text read = FromCodePage(std::string_view(buffer, kBufferLength));
        const std::size_t nul = read.find(u'\0');
        if (nul != Text::npos && read.compare(0, nul, title) == 0 && nul == title.size()) {
            if (IsLessThanOne(allowance)) return true;
            allowance = Decrement(allowance);
        }
        h = desktop.GetWindow(h, win::kNextWindow);
        toolkit.DoEvents();
    }
    return false;
}

void SetTopMost(WindowSystem& desktop, WindowHandle window, bool topmost) {
    const WindowHandle insertAfter = topmost ? win::kTopmostBand : win::kNonTopmostBand;
    // Without waiting: a window of another thread that does not answer must
    // not hold the caller; it changes band when its thread gets to it. The
    // caller's own windows change at once all the same.
    desktop.SetWindowPos(window, insertAfter, 0, 0, 0, 0,
                         win::kKeepSize | win::kKeepPosition | win::kNoActivation |
                             win::kShowWindow | win::kDoNotWait);
}

}  // namespace brumelis
