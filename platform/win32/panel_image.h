// Images shown by picture panels: JPEG resources decoded into bitmaps.
#pragma once

#include "platform/form_layout.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

// Empty for kNoImage; throws SystemRefusal when the resource is
// missing or cannot be decoded.
UniqueBitmap LoadPanelImage(HINSTANCE instance, ImageId image);

// Panels show their image at the top-left corner, unscaled.
void DrawAtTopLeft(HDC target, HBITMAP image);

}  // namespace brumelis
