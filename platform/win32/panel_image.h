// Images shown by picture panels: JPEG resources decoded into bitmaps.
#pragma once

#include "platform/form_layout.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

// Empty for kNoImage; throws SystemRefusal when the resource is
// missing or cannot be decoded, or OLE cannot be set up.
UniqueBitmap LoadPanelImage(HINSTANCE instance, ImageId image);

// Panels show their image from the top-left corner: as it is when it has the
// panel's size, stretched smoothly to fill a panel drawn at a larger scale.
void DrawFilling(HDC target, HBITMAP image, int width, int height);

}  // namespace brumelis
