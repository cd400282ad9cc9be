// What screen readers read of the toolbar's controls through MSAA: each
// control's window answers WM_GETOBJECT for its client area with an object
// of ours that tells the layout's role, name, description and default
// action and the slider's value, and leaves the rest (place, state, parent,
// focus) to the system's standard object it wraps.
#pragma once

#include <windows.h>

#include <memory>

#include "base/core_types.h"

namespace brumelis {

struct AccessibleFacts {
    LONG role = 0;     // ROLE_SYSTEM_*
    Text name;         // empty: the window's text (a button's caption)
    Text description;  // empty: the standard object's
    Text action;       // the default action; empty: none
    int value = -1;    // the slider's percent; -1: none
};

// The answer to WM_GETOBJECT: our object for OBJID_CLIENT, 0 for anything
// else or when ours cannot be made (the system's default object answers
// then). Each answer is a new object, released once the reader lets go.
LRESULT AnswerGetObject(HWND hwnd, WPARAM flags, LPARAM objectId,
                        const std::shared_ptr<const AccessibleFacts>& facts) noexcept;

// Tells readers listening to events that the value changed.
void NotifyValueChanged(HWND hwnd);

}  // namespace brumelis
