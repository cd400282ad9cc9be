#include "base/failure.h"

namespace brumelis {

namespace {
thread_local ErrorRecord tLastError;
}

void Raise(std::int32_t number, Text source, Text description) {
    throw Failure(number, std::move(source), std::move(description));
}

void RaiseOverflow(const Text& source) {
    Raise(error::kOverflow, source, u"Dépassement de capacité");
}

void RaiseTypeMismatch(const Text& source) {
    Raise(error::kTypeMismatch, source, u"Type incompatible");
}

void RaiseInvalidUseOfNull(const Text& source) {
    Raise(error::kInvalidUseOfNull, source, u"Utilisation incorrecte de Null");
}

const ErrorRecord& LastError() {
    return tLastError;
}

void ClearLastError() {
    tLastError = ErrorRecord{};
}

void RecordError(const Failure& failure) {
    tLastError = failure.Record();
}

}  // namespace brumelis
