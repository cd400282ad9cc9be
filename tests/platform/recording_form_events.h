// A FormEvents sink that only records what the toolkit delivers, for tests
// that drive the real toolkit from another thread: the toolkit's thread
// records, the test's thread waits on the record.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "platform/form_toolkit.h"

namespace brumelis::platform_tests {

enum class EventKind { Load, Tick, Click, DoubleClick, MouseDown, MouseMove };

struct RecordedEvent {
    EventKind kind;
    ControlId control;
    MouseEvent mouse;  // MouseDown and MouseMove only
};

// "MouseMove Slider button 1 at (-300, 45)": what failure messages show.
std::string Describe(const RecordedEvent& event);
void PrintTo(const RecordedEvent& event, std::ostream* out);

class RecordingFormEvents final : public FormEvents {
public:
    using Events = std::vector<RecordedEvent>;

    void Load() override;
    void Tick(ControlId timer) override;
    void Click(ControlId control) override;
    void DoubleClick(ControlId control) override;
    void MouseDown(ControlId control, const MouseEvent& event) override;
    void MouseMove(ControlId control, const MouseEvent& event) override;

    Events Recorded() const;
    // True once the record satisfies the condition; false at the deadline.
    bool WaitUntil(const std::function<bool(const Events&)>& condition,
                   std::chrono::milliseconds timeout);
    // Runs the task inside the next tick handler, on the toolkit's thread, and
    // waits for it to finish; false when no tick took it before the deadline,
    // and then it never runs.
    bool RunInNextTick(std::function<void()> task, std::chrono::milliseconds timeout);

private:
    void Record(const RecordedEvent& event);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Events events_;
    struct Task {
        int id;
        std::function<void()> run;
    };
    std::vector<Task> pendingTasks_;
    int lastTaskId_ = 0;
    int lastTaskDone_ = 0;
};

// The record without ticks and moves: presses, clicks and double clicks, as
// "MouseDown RedSquare button 1", "Click RedSquare", ...
std::vector<std::string> PressesAndClicks(const RecordingFormEvents::Events& events);

}  // namespace brumelis::platform_tests
