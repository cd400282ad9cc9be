#include "tests/platform/recording_form_events.h"

#include <algorithm>

#include "toolbar/toolbar_layout.h"

namespace brumelis::platform_tests {

namespace {

const char* NameOf(EventKind kind) {
    switch (kind) {
        case EventKind::Load: return "Load";
        case EventKind::Tick: return "Tick";
        case EventKind::Click: return "Click";
        case EventKind::DoubleClick: return "DoubleClick";
        case EventKind::MouseDown: return "MouseDown";
        case EventKind::MouseMove: return "MouseMove";
    }
    return "?";
}

const char* NameOf(ControlId control) {
    switch (control) {
        case kToolbar: return "Toolbar";
        case kPanel: return "Panel";
        case kSlider: return "Slider";
        case kRedSquare: return "RedSquare";
        case kPinButton: return "PinButton";
        case kFollowTimer: return "FollowTimer";
        default: break;
    }
    return "?";
}

std::string TwipsText(Twips twips) {
    return std::to_string(static_cast<long>(twips));
}

}  // namespace

std::string Describe(const RecordedEvent& event) {
    std::string text = std::string(NameOf(event.kind)) + " " + NameOf(event.control);
    if (event.kind == EventKind::MouseDown || event.kind == EventKind::MouseMove) {
        text += " button " + std::to_string(event.mouse.button);
    }
    if (event.kind == EventKind::MouseMove) {
        text += " at (" + TwipsText(event.mouse.x) + ", " + TwipsText(event.mouse.y) + ")";
    }
    return text;
}

void PrintTo(const RecordedEvent& event, std::ostream* out) {
    *out << Describe(event);
}

void RecordingFormEvents::Load() {
    Record({EventKind::Load, kFormWindowId, {}});
}

void RecordingFormEvents::Tick(ControlId timer) {
    std::vector<Task> tasks;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks.swap(pendingTasks_);
    }
    for (const Task& task : tasks) task.run();
    if (!tasks.empty()) {
        std::lock_guard<std::mutex> lock(mutex_);
        lastTaskDone_ = tasks.back().id;
    }
    // Recording wakes the waiters, those of the tasks included.
    Record({EventKind::Tick, timer, {}});
}

void RecordingFormEvents::Click(ControlId control) {
    Record({EventKind::Click, control, {}});
}

void RecordingFormEvents::DoubleClick(ControlId control) {
    Record({EventKind::DoubleClick, control, {}});
}

void RecordingFormEvents::MouseDown(ControlId control, const MouseEvent& event) {
    Record({EventKind::MouseDown, control, event});
}

void RecordingFormEvents::MouseMove(ControlId control, const MouseEvent& event) {
    Record({EventKind::MouseMove, control, event});
}

void RecordingFormEvents::Record(const RecordedEvent& event) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(event);
    }
    changed_.notify_all();
}

RecordingFormEvents::Events RecordingFormEvents::Recorded() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

bool RecordingFormEvents::WaitUntil(const std::function<bool(const Events&)>& condition,
                                    std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(events_); });
}

bool RecordingFormEvents::RunInNextTick(std::function<void()> task,
                                        std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    const int id = ++lastTaskId_;
    pendingTasks_.push_back(Task{id, std::move(task)});
    if (changed_.wait_for(lock, timeout, [&] { return lastTaskDone_ >= id; })) return true;
    auto pending = std::find_if(pendingTasks_.begin(), pendingTasks_.end(),
                                [id](const Task& t) { return t.id == id; });
    if (pending != pendingTasks_.end()) {
        pendingTasks_.erase(pending);
        return false;
    }
    // Already running on the toolkit's thread, on the caller's state: wait it out.
    changed_.wait(lock, [&] { return lastTaskDone_ >= id; });
    return true;
}

std::vector<std::string> PressesAndClicks(const RecordingFormEvents::Events& events) {
    std::vector<std::string> seen;
    for (const RecordedEvent& event : events) {
        if (event.kind == EventKind::MouseDown || event.kind == EventKind::Click ||
            event.kind == EventKind::DoubleClick) {
            seen.push_back(Describe(event));
        }
    }
    return seen;
}

}  // namespace brumelis::platform_tests
