// Form1's controls as data: geometry in twips, colours, images, tab order.
#pragma once

#include "platform/form_layout.h"

namespace brumelis {

constexpr Twips kExpandedWidth = 495;

const FormLayout& ToolbarLayout();

}  // namespace brumelis
