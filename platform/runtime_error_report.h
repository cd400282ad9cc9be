// The toolkit's standard reaction to a failure that escapes an event handler:
// a French run-time error report, then the end of the program. The form's
// input (FormInput) delivers every event of every toolkit and calls it.
#pragma once

#include "base/failure.h"
#include "platform/form_toolkit.h"

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure);

void ReportAndEnd(FormToolkit& toolkit, const Failure& failure);

}  // namespace brumelis
