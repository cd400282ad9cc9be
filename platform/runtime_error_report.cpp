#include "platform/runtime_error_report.h"

#include <string>

namespace brumelis {

Text RuntimeErrorReportText(const Failure& failure) {
    std::string number = std::to_string(failure.Number());
    return u"Erreur d'exécution '" + Text(number.begin(), number.end()) + u"' :\n\n" +
           failure.Description();
}

}  // namespace brumelis
