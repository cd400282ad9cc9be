// What the toolkit backends share between their native windows and their
// event loop: the dispatcher a form hands its decoded events to, and the
// count of handlers running, which decides whether an event may run now.
#pragma once

#include <functional>

#include "platform/form_toolkit.h"

namespace brumelis {

// Hands one decoded event to the form's handlers, or drops it when no handler
// may run at that moment.
class FormEventDispatcher {
public:
    using Event = std::function<void(FormEvents&)>;
    virtual void Dispatch(const Event& event) = 0;

protected:
    ~FormEventDispatcher() = default;
};

// Counts one level for as long as it lives, so that every way out of a
// handler (an ended program included) gives the level back.
class ScopedCount {
public:
    explicit ScopedCount(int& count) : count_(count) { ++count_; }
    ~ScopedCount() { --count_; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;

private:
    int& count_;
};

}  // namespace brumelis
