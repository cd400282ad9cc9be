#include "platform/runtime_error_report.h"

#include <string>

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure) {
    std::string number = std::to_string(failure.Number());
    return u"Erreur d'exécution '" + Text(number.begin(), number.end()) + u"' :\n\n" +
           failure.Description();
}

void ReportAndEnd(FormToolkit& toolkit, const Failure& failure) {
    toolkit.ShowMessage(RuntimeErrorReportText(failure), MessageButtons::Ok);
    toolkit.End();
}

}  // namespace brumelis
