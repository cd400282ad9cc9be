// Whatever escapes a handler reaches the run-time error report and ends the
// program; nothing goes on into the window system's code.
#include <functional>
#include <new>
#include <stdexcept>

#include "base/failure.h"
#include "tests/unit/toolbar_fixture.h"

namespace brumelis {
namespace {

// Throws from its load handler.
class ThrowingForm : public FormEvents {
public:
    explicit ThrowingForm(std::function<void()> thrower) : thrower_(std::move(thrower)) {}
    void Load() override { thrower_(); }
    void Tick(ControlId) override {}
    void Click(ControlId) override {}
    void DoubleClick(ControlId) override {}
    void MouseDown(ControlId, const MouseEvent&) override {}
    void MouseMove(ControlId, const MouseEvent&) override {}

private:
    std::function<void()> thrower_;
};

struct EscapeCase {
    const char* why;
    std::function<void()> thrower;
    const char16_t* report;
};

void PrintTo(const EscapeCase& c, std::ostream* out) {
    *out << c.why;
}

class EscapingExceptionTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapingExceptionTest, IsReportedAndEndsTheProgram) {
    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    ThrowingForm form(GetParam().thrower);
    toolkit.Load(form);
    ASSERT_EQ(toolkit.Messages().size(), 1u) << GetParam().why;
    EXPECT_EQ(toolkit.Messages()[0].text, Text(GetParam().report)) << GetParam().why;
    EXPECT_TRUE(toolkit.Ended()) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Exceptions, EscapingExceptionTest,
    ::testing::Values(EscapeCase{"the program's own failure",
                                 [] { Raise(13, u"ToolbarWindow", u"Type incompatible"); },
                                 u"Erreur d'exécution '13' :\n\nType incompatible"},
                      EscapeCase{"memory exhausted", [] { throw std::bad_alloc(); },
                                 u"Erreur d'exécution '7' :\n\nMémoire insuffisante"},
                      EscapeCase{"any other standard exception",
                                 [] { throw std::out_of_range("index"); },
                                 u"Erreur d'exécution '51' :\n\nErreur interne"}));

}  // namespace
}  // namespace brumelis
