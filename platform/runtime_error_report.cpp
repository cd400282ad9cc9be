#include "platform/runtime_error_report.h"

#include "base/number_text.h"

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure) {
    return u"Erreur d'exécution '" + IntegerText(failure.Number()) + u"' :\n\n" +
           failure.Description();
}

}  // namespace brumelis
