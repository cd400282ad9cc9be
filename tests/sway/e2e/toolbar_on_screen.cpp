#include "tests/sway/e2e/toolbar_on_screen.h"

#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::sway_tests {

using scenarios::Point;
using scenarios::Rect;

namespace {

constexpr std::uint32_t kPureRed = 0xFF0000;
constexpr int kSquare = 9;

class Shot {
public:
    Shot(const std::vector<std::uint32_t>& pixels, const Rect& area)
        : pixels_(pixels), area_(area) {}
    bool Inside(Point p) const {
        return p.x >= 0 && p.y >= 0 && p.x < area_.width && p.y < area_.height;
    }
    std::optional<std::uint32_t> At(Point p) const {
        if (!Inside(p)) return std::nullopt;
        return pixels_[static_cast<std::size_t>(p.y * area_.width + p.x)];
    }
    bool Red(Point p) const { return At(p) == kPureRed; }
    // The top-left pixel of a whole 9x9 pure red square.
    bool SquareAt(Point p) const {
        if (Red({p.x - 1, p.y}) || Red({p.x, p.y - 1})) return false;
        for (int y = 0; y < kSquare; ++y)
            for (int x = 0; x < kSquare; ++x)
                if (!Red({p.x + x, p.y + y})) return false;
        return true;
    }

private:
    const std::vector<std::uint32_t>& pixels_;
    Rect area_;
};

int Channel(std::uint32_t colour, int shift) {
    return static_cast<int>((colour >> shift) & 0xFF);
}

// The panel's colour right of the square also at its far right, and the
// slider red at its top and white at its bottom.
bool UnfoldedAt(const Shot& shot, Point corner) {
    using namespace scenarios;
    const auto panel = shot.At({corner.x + kSquare, corner.y});
    const auto farRight = shot.At({corner.x + kUnfoldedSize.width - 3, corner.y + 3});
    const int column = corner.x + kSliderLeft + kSliderWidth / 2;
    const auto top = shot.At({column, corner.y + kSliderTop + 1});
    const auto bottom = shot.At({column, corner.y + kSliderTop + kSliderHeight - 2});
    return panel && panel == farRight && top && bottom && Channel(*top, 16) > 200 &&
           Channel(*top, 8) < 60 && Channel(*bottom, 8) > 200 && Channel(*bottom, 0) > 200;
}

}  // namespace

std::optional<Rect> ToolbarIn(const std::vector<std::uint32_t>& pixels, const Rect& area) {
    if (pixels.size() != static_cast<std::size_t>(area.width * area.height)) return std::nullopt;
    const Shot shot(pixels, area);
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            if (!shot.Red({x, y}) || !shot.SquareAt({x, y})) continue;
            // Which look it has shows only where the panel would fit.
            if (!shot.Inside({x + scenarios::kUnfoldedSize.width - 1,
                              y + scenarios::kUnfoldedSize.height - 1}))
                return std::nullopt;
            const Rect at{area.left + x, area.top + y, 0, 0};
            if (UnfoldedAt(shot, {x, y})) {
                return Rect{at.left, at.top, scenarios::kUnfoldedSize.width,
                            scenarios::kUnfoldedSize.height};
            }
            if (shot.At({x + kSquare, y}) && !shot.Red({x + kSquare, y})) {
                return Rect{at.left, at.top, scenarios::kFoldedSize.width,
                            scenarios::kFoldedSize.height};
            }
        }
    }
    return std::nullopt;
}

}  // namespace brumelis::sway_tests
