#include "utilities/window_utilities.h"

#include <climits>
#include <cstddef>

#include "base/checked_arithmetic.h"
#include "base/failure.h"

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
    // The walk reads at most this many characters of each title.
    constexpr std::size_t kTitleLength = 118;
    for (const ListedWindow& listed : desktop.TopLevelWindows(form.Handle(), kTitleLength)) {
        // A title that cannot be read matches nothing.
        if (listed.title == title) {
            if (IsLessThanOne(allowance)) return true;
            allowance = Decrement(allowance);
        }
        toolkit.DoEvents();
    }
    return false;
}

}  // namespace brumelis
