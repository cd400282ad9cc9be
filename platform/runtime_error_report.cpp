#include "platform/runtime_error_report.h"

#include "base/number_text.h"

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure) {
    return u"Erreur d'exécution '" + IntegerText(failure.Number()) + u"' :\n\n" +
           failure.Description();
}

void ReportAndEnd(FormToolkit& toolkit, const Failure& failure) {
    toolkit.ShowMessage(RuntimeErrorReportText(failure), MessageButtons::Ok);
    toolkit.End();
}

}  // namespace brumelis
