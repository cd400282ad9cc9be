// The program's life on any platform: the start lock taken before the
// toolbar's windows exist, the toolbar built on the toolkit's form, its
// events run until the end.
#pragma once

#include <functional>
#include <memory>

#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/instance_lock.h"
#include "platform/key_source.h"
#include "platform/window_system.h"

namespace brumelis {

// Builds the toolkit and its windows from the toolbar's layout; may throw
// what the toolkit throws when the system refuses a window.
using ToolkitMaker = std::function<std::unique_ptr<FormToolkit>(const FormLayout&)>;

// Returns the toolkit's exit status. The lock is released by the start-up
// once its instance check is done, and at the latest when this returns.
// The keys, when the desktop has a source of them, act on the foreground
// window; their presses come through the toolkit's loop.
int RunToolbarProgram(WindowSystem& desktop, InstanceLock& startLock,
                      const ToolkitMaker& makeToolkit, KeySource* keys = nullptr);

}  // namespace brumelis
