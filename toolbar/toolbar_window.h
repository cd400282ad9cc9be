// The toolbar window: the state its handlers share, and the handlers. They
// live in one file per concern: start-up and folding here, the follower, the
// pin command and the transparency control beside it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "platform/form_toolkit.h"
#include "platform/instance_lock.h"
#include "platform/key_source.h"
#include "platform/window_system.h"

namespace brumelis {

class ToolbarWindow : public FormEvents {
public:
    // The start lock, when given, is released once the instance check is
    // done: this copy's windows are on the desktop for the next copy to see.
    // The keys, when given, are taken once the instance check is done.
    ToolbarWindow(WindowSystem& desktop, FormToolkit& toolkit, FormWindow& form,
                  InstanceLock* startLock = nullptr, KeySource* keys = nullptr);
    // The window system no longer calls back into a toolbar that is gone.
    ~ToolbarWindow() override;
    ToolbarWindow(const ToolbarWindow&) = delete;
    ToolbarWindow& operator=(const ToolbarWindow&) = delete;

    // FormEvents: routes each event to its control's handler.
    void Load() override;
    void Tick(ControlId timer) override;
    void Click(ControlId control) override;
    void DoubleClick(ControlId control) override;
    void MouseMove(ControlId control, const MouseEvent& event) override;
    void Shortcut(ShortcutId shortcut) override;

    // Shared state, read by tests.
    WindowHandle TargetWindow() const { return target_; }
    WindowHandle LastTargetWindow() const { return lastTarget_; }
    const Text& PinnedList() const { return pinned_; }

private:
    // toolbar_window.cpp
    void StartUp();
    void Fold();
    void ToggleFold();
    void ShowPresentation();
    // foreground_follower.cpp
    void FollowForeground();
    void FollowMove();
    void StartMoveChecks();
    // pin_command.cpp
    void TogglePin();
    void Pin();
    // transparency_control.cpp
    void SetOpacityFromSlider(const MouseEvent& event);
    void MakeOpaque();
    void MakeOpaqueAndFold();
    void EndDrag();
    ChangeAnswer SendOpacity(std::uint8_t opacity);
    // The target's opacity as the slider's value for screen readers.
    void ShowOpacity();
    // Why the window keeps its opacity, unless already told; none when it takes it.
    const Text* WhyLeftAloneUntold(ChangeAnswer answer);
    // Says what an opacity's answer means, as at the end of a drag.
    void TellOpacityAnswer(ChangeAnswer answer);
    // key_commands.cpp
    void TakeKeys();
    void StepOpacity(bool down);
    // Shows an OK box; a box that cannot be shown is skipped.
    void Tell(const Text& text);
    void TellNotNow();

    WindowSystem& desktop_;
    FormToolkit& toolkit_;
    FormWindow& form_;
    InstanceLock* startLock_;
    KeySource* keys_;

    // The foreground window of the last tick: the one the commands act on.
    WindowHandle target_ = 0;
    // The window the toolbar last arrived at, folded.
    WindowHandle lastTarget_ = 0;
    // The target's corner the toolbar was last put on, in screen pixels.
    std::int32_t cornerLeft_ = 0;
    std::int32_t cornerTop_ = 0;
    // The window whose moves the window system reports.
    WindowHandle watched_ = 0;
    // Move checks in a row that found the target where it was.
    int stillChecks_ = 0;
    // The pinned windows, one ";handle;" item each.
    Text pinned_;
    // The answer to the last opacity a slider drag set since the last
    // release; none when it set none.
    std::optional<ChangeAnswer> dragAnswer_;
    // What the desktop cannot show or do, once told, is not told again.
    bool toldOpacityNotShown_ = false;
    bool toldCannotKeepAbove_ = false;
    // "Not possible now" is told once until a change is accepted again.
    bool toldNotNow_ = false;
    // Windows the system protects from us: a refused pin is told once for
    // each; a window that refused an opacity is told once and sent no more.
    // One that draws itself is told once, and asked again on later drags:
    // it may take an opacity once it has painted or changed its layering.
    std::set<WindowHandle> refusedPin_;
    std::set<WindowHandle> refusedOpacity_;
    std::set<WindowHandle> toldDrawsItself_;
    // The opacity last set on a window, where it is not opaque: where the
    // keys step from.
    std::map<WindowHandle, std::uint8_t> opacity_;
};

}  // namespace brumelis
