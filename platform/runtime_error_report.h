// The toolkit's standard reaction to a failure that escapes an event handler:
// a French run-time error report, then the end of the program. Every toolkit
// backend delivers every event through DeliverEvent.
#pragma once

#include "base/failure.h"
#include "platform/form_toolkit.h"

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure);

template <typename Handler>
void DeliverEvent(FormToolkit& toolkit, Handler&& handler) {
    try {
        handler();
    } catch (const Failure& failure) {
        toolkit.ShowMessage(RuntimeErrorReportText(failure), MessageButtons::Ok);
        toolkit.End();
    }
}

}  // namespace brumelis
