// The probe behind the staleness figures of docs/benchmarks.md, which the
// end-to-end scenario of a dragged window prints: just before each step of
// the drag, how long the toolbar has been off the window's corner (0 when it
// sits on it). Not a time to assert.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace brumelis::bench {

using Corner = std::pair<int, int>;  // x, y in screen pixels

class DragRecord {
public:
    using Clock = std::chrono::steady_clock;
    explicit DragRecord(Corner start) : corners_{start}, movedAt_{Clock::now()} {}

    Clock::time_point LastMove() const { return movedAt_.back(); }
    Corner Moved(Corner corner) {
        corners_.push_back(corner);
        movedAt_.push_back(Clock::now());
        return corner;
    }
    // Off the corner since the window left the last corner the toolbar is on.
    void Sample(Corner toolbar) {
        places_.insert(toolbar);
        std::size_t on = corners_.size();
        while (on > 0 && corners_[on - 1] != toolbar) --on;
        stale_.push_back(on == corners_.size() ? 0 : Ms(movedAt_[on], Clock::now()));
    }
    std::string Summary() const {
        std::vector<double> sorted = stale_;
        std::sort(sorted.begin(), sorted.end());
        const auto at = [&](double f) {
            return sorted[std::size_t(f * double(sorted.size() - 1))];
        };
        const auto worst = std::max_element(stale_.begin(), stale_.end()) - stale_.begin();
        char text[200];
        std::snprintf(text, sizeof text,
                      "staleness median %.0f ms, p90 %.0f ms, max %.0f ms (step %td) over %zu "
                      "steps; the toolbar at %zu places in %.0f ms",
                      at(0.5), at(0.9), at(1), worst + 1, stale_.size(), places_.size(), Elapsed());
        return text;
    }
    // More places than the first and ticks `tick` apart could give (at most
    // T / tick + 1 in T): the toolbar moved between ticks.
    bool MovedBetweenTicks(std::chrono::milliseconds tick) const {
        return double(places_.size()) > Elapsed() / double(tick.count()) + 2;
    }

private:
    static double Ms(Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    }
    double Elapsed() const { return Ms(movedAt_.front(), movedAt_.back()); }

    std::vector<Corner> corners_;
    std::vector<Clock::time_point> movedAt_;
    std::vector<double> stale_;
    std::set<Corner> places_;
};

}  // namespace brumelis::bench
