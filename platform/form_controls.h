// Looking up a form's controls, for the toolkits: the layout a control was
// built from, and the native part a toolkit keeps for it.
#pragma once

#include <map>

#include "base/failure.h"
#include "platform/form_layout.h"

namespace brumelis {

inline const ControlLayout* FindLayout(const FormLayout& form, ControlId id) {
    for (const ControlLayout& layout : form.controls) {
        if (layout.id == id) return &layout;
    }
    return nullptr;
}

// A control the form does not have, or not of the kind asked, is a call with
// an invalid argument.
[[noreturn]] inline void RaiseInvalidControl() {
    Raise(error::kInvalidCall, u"FormWindow", u"Appel de procédure ou argument incorrect");
}

template <typename Control>
const Control& FindControl(const std::map<ControlId, Control>& controls, ControlId id) {
    auto found = controls.find(id);
    if (found == controls.end()) RaiseInvalidControl();
    return found->second;
}

}  // namespace brumelis
