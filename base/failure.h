// The error model: a failure is a number, a source and a description.
// Raising throws it; recording writes it to the calling thread's record;
// handlers that ignore failures step by step run each step through IgnoreFailure.
#pragma once

#include <exception>

#include "base/core_types.h"

namespace brumelis {

struct ErrorRecord {
    std::int32_t number = 0;
    Text source;
    Text description;
};

class Failure : public std::exception {
public:
    Failure(std::int32_t number, Text source, Text description)
        : record_{number, std::move(source), std::move(description)} {}
    std::int32_t Number() const { return record_.number; }
    const Text& Source() const { return record_.source; }
    const Text& Description() const { return record_.description; }
    const ErrorRecord& Record() const { return record_; }
    const char* what() const noexcept override { return "brumelis::Failure"; }

private:
    ErrorRecord record_;
};

[[noreturn]] void Raise(std::int32_t number, Text source, Text description);

// The toolkit's own failures, with its French descriptions.
namespace error {
constexpr std::int32_t kInvalidCall = 5;
constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kInternalError = 51;
constexpr std::int32_t kInvalidUseOfNull = 94;
}  // namespace error
[[noreturn]] void RaiseOverflow(const Text& source);
[[noreturn]] void RaiseTypeMismatch(const Text& source);
[[noreturn]] void RaiseInvalidUseOfNull(const Text& source);

// The calling thread's error record.
const ErrorRecord& LastError();
void ClearLastError();
void RecordError(const Failure& failure);

// Runs one step of a handler; a failure skips the rest of that step only.
template <typename Step>
void IgnoreFailure(Step&& step) {
    try {
        step();
    } catch (const Failure&) {
    }
}

// Runs one step of a recording operation; a failure is written to the record.
template <typename Step>
void RecordFailure(Step&& step) {
    try {
        step();
    } catch (const Failure& failure) {
        RecordError(failure);
    }
}

}  // namespace brumelis
