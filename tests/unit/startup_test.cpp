// Start-up: collapse, disable, the instance check, then the message and the
// end, or pending events and enable. Failures escaping a handler.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/unit/toolbar_fixture.h"
#include "toolbar/toolbar_program.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {
namespace {

using StartupTest = ToolbarTest;

TEST_F(StartupTest, CollapsesAndDisablesBeforeTheCheckThenEnables) {
    desktop.AddWindow(u"Bloc-notes");
    std::vector<std::pair<Twips, bool>> seenDuringWalk;
    toolkit.OnDoEvents([&] { seenDuringWalk.push_back({window().Width(), window().Enabled()}); });

    toolkit.Load(form);

    ASSERT_FALSE(seenDuringWalk.empty());
    for (const auto& [width, enabled] : seenDuringWalk) {
        EXPECT_EQ(width, kCollapsed);
        EXPECT_FALSE(enabled);
    }
    EXPECT_TRUE(Collapsed());
    EXPECT_TRUE(window().Enabled());
    EXPECT_FALSE(toolkit.Ended());
    EXPECT_TRUE(toolkit.Messages().empty());
    EXPECT_TRUE(desktop.Get(toolbar()).visible);
}

TEST_F(StartupTest, PendingEventsRunAfterEveryWindowAndOnceMore) {
    desktop.AddWindow(u"a");
    desktop.AddWindow(u"b");
    toolkit.Load(form);
    // Owner, toolbar, a and b are examined; then one more pass before enabling.
    EXPECT_EQ(toolkit.DoEventsCount(), 5);
}

TEST_F(StartupTest, OneRunningInstanceStopsTheNewOneBeforeItIsShown) {
    // A running instance contributes its owner window and its toolbar.
    desktop.AddWindow(texts::kCaption, {}, false);
    desktop.AddWindow(texts::kCaption);

    toolkit.Load(form);

    ASSERT_EQ(toolkit.Messages().size(), 1u);
    EXPECT_EQ(toolkit.Messages()[0].text, u"Brumelis est déjà lancé.");
    EXPECT_EQ(toolkit.Messages()[0].title, u"Brumelis");
    EXPECT_EQ(toolkit.Messages()[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(toolkit.Ended());
    EXPECT_FALSE(desktop.Get(toolbar()).visible);
    EXPECT_FALSE(window().Enabled());
    // No handler runs after the end.
    desktop.SetForeground(desktop.AddWindow(u"x", {10, 10, 50, 50}));
    toolkit.Tick();
    EXPECT_EQ(form.TargetWindow(), 0);
}

TEST_F(StartupTest, TicksDuringTheWalkAlreadyFollowTheForegroundWindow) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 200, 500, 600});
    desktop.SetForeground(editor);
    toolkit.QueuePendingTick();

    toolkit.Load(form);

    EXPECT_EQ(form.TargetWindow(), editor);
    EXPECT_EQ(window().Left(), 1500);
    EXPECT_EQ(window().Top(), 3000);
    EXPECT_TRUE(window().Enabled());
}

TEST_F(StartupTest, AFailureInTheLoadReachesTheRunTimeErrorReport) {
    toolkit.FailAlways(FakeOperation::SetEnabled);
    toolkit.Load(form);
    ASSERT_EQ(toolkit.Messages().size(), 1u);
    EXPECT_EQ(toolkit.Messages()[0].text, u"Erreur d'exécution '5' :\n\nÉchec simulé");
    EXPECT_EQ(toolkit.Messages()[0].title, u"Brumelis");
    EXPECT_TRUE(toolkit.Ended());
}

TEST_F(StartupTest, OverflowInATickEndsTheProgramWithTheReport) {
    toolkit.Load(form);
    // Beyond 143 165 576 pixels the conversion to twips overflows 32 bits.
    desktop.SetForeground(desktop.AddWindow(u"far", {143165577, 0, 143165600, 10}));
    toolkit.Tick();
    ASSERT_EQ(toolkit.Messages().size(), 1u);
    EXPECT_EQ(toolkit.Messages()[0].text, u"Erreur d'exécution '6' :\n\nDépassement de capacité");
    EXPECT_TRUE(toolkit.Ended());
}

TEST_F(StartupTest, TheLastPixelBeforeOverflowIsFollowed) {
    toolkit.Load(form);
    desktop.SetForeground(desktop.AddWindow(u"far", {143165576, -143165576, 143165600, 10}));
    toolkit.Tick();
    EXPECT_FALSE(toolkit.Ended());
    EXPECT_EQ(window().Left(), static_cast<Twips>(2147483640));
    EXPECT_EQ(window().Top(), static_cast<Twips>(-2147483640));
}

// Records when the start lock is taken and given back, against what the
// start-up has done by then.
class RecordingLock : public InstanceLock {
public:
    std::function<std::string()> now;
    std::vector<std::string> log;
    bool held = false;
    void Acquire() override {
        held = true;
        log.push_back("acquire");
    }
    void Release() override {
        if (held) log.push_back("release " + now());
        held = false;
    }
};

// Copies started together must each find the other's windows: the lock is
// held from before the windows exist until the instance check is done, and
// given back before a box can keep it for as long as the user takes.
TEST(StartLockTest, CoversTheWindowsAndTheCheckButNotTheBox) {
    for (const bool running : {false, true}) {
        SCOPED_TRACE(running ? "another copy runs" : "alone");
        FakeDesktop desktop;
        if (running) {
            desktop.AddWindow(texts::kCaption, {}, false);
            desktop.AddWindow(texts::kCaption);
        }
        FakeToolkit* toolkit = nullptr;
        RecordingLock lock;
        lock.now = [&] {
            return std::to_string(toolkit->DoEventsCount()) + " passes, " +
                   std::to_string(toolkit->Messages().size()) + " boxes";
        };
        const int status = RunToolbarProgram(desktop, lock, [&](const FormLayout& layout) {
            EXPECT_TRUE(lock.held) << "the windows are built under the lock";
            auto made = std::make_unique<FakeToolkit>(desktop, layout);
            toolkit = made.get();
            return made;
        });
        EXPECT_EQ(status, 0);
        // Given back once the walk is over (a pass after each window but the
        // third match), before the box and before the last pass.
        EXPECT_EQ(lock.log, (std::vector<std::string>{"acquire", "release 2 passes, 0 boxes"}));
    }
}

TEST(StartLockTest, AToolkitThatCannotBeBuiltGivesItBack) {
    FakeDesktop desktop;
    RecordingLock lock;
    lock.now = [] { return std::string("at once"); };
    EXPECT_THROW(RunToolbarProgram(desktop, lock,
                                   [](const FormLayout&) -> std::unique_ptr<FormToolkit> {
                                       throw std::runtime_error("no window");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(lock.log, (std::vector<std::string>{"acquire", "release at once"}));
}

struct PresentationCase {
    const char* why;
    MessageAnswer answer;
    bool ends;
};

class PresentationTest : public ToolbarTest,
                         public ::testing::WithParamInterface<PresentationCase> {};

TEST_P(PresentationTest, DoubleClickOnTheRedSquareShowsTheBox) {
    toolkit.Load(form);
    toolkit.AnswerNextMessage(GetParam().answer);
    toolkit.DoubleClick(kRedSquare);
    ASSERT_EQ(toolkit.Messages().size(), 1u) << GetParam().why;
    const auto& box = toolkit.Messages()[0];
    EXPECT_EQ(box.title, u"ZOLVEC Quintrel www.zolvec.example");
    EXPECT_EQ(box.text,
              u"ZOLVEC Quintrel vous propose L'OUTIL sympathique qui permet de gérer les fenêtres "
              u"de Windows. Cliquez sur OUI pour continuer ou NON pour quitter Brumelis");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(toolkit.Ended(), GetParam().ends) << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(Answers, PresentationTest,
                         ::testing::Values(PresentationCase{"No quits", MessageAnswer::No, true},
                                           PresentationCase{"Yes keeps running", MessageAnswer::Yes,
                                                            false}));

}  // namespace
}  // namespace brumelis
