// Pixels read back from the screen, and saved as a BMP file for people to
// look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/screen_types.h"

namespace brumelis::e2e {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

class ScreenImage {
public:
    static ScreenImage Capture(const Rect& area);

    Size Extent() const { return extent_; }
    bool Empty() const { return pixels_.empty(); }
    // x and y relative to the captured area's top-left corner.
    Rgb At(int x, int y) const;
    bool SaveBmp(const std::wstring& path) const;

private:
    Size extent_;
    std::vector<std::uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};

// A file name under the artifacts directory, which is created if needed.
std::wstring ArtifactPath(const std::wstring& fileName);

}  // namespace brumelis::e2e
