// The toolkit's standard reaction to a failure that escapes an event handler:
// a French run-time error report, then the end of the program. Every toolkit
// backend delivers every event through DeliverEvent.
#pragma once

#include <exception>
#include <new>

#include "base/failure.h"
#include "platform/form_toolkit.h"

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure);

void ReportAndEnd(FormToolkit& toolkit, const Failure& failure);

// Any other standard exception that escapes a handler (memory exhausted, a
// fault of the program's own) is reported the same way, as the toolkit's own
// failure, so that none goes on into the window system's code that called
// the toolkit. (The fake toolkit's end of program is no such exception.)
template <typename Handler>
void DeliverEvent(FormToolkit& toolkit, Handler&& handler) {
    try {
        handler();
    } catch (const Failure& failure) {
        ReportAndEnd(toolkit, failure);
    } catch (const std::bad_alloc&) {
        ReportAndEnd(toolkit, Failure(error::kOutOfMemory, Text(), u"Mémoire insuffisante"));
    } catch (const std::exception&) {
        ReportAndEnd(toolkit, Failure(error::kInternalError, Text(), u"Erreur interne"));
    }
}

}  // namespace brumelis
