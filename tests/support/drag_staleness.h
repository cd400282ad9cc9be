// A window dragged in small steps while the toolbar follows it: just before
// each step, how long the toolbar has been off the window's corner (0 when
// it sits on it). A benchmark for docs/benchmarks.md, not a time to assert.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace brumelis::test_support {

using Corner = std::pair<int, int>;  // x, y in screen pixels

struct DragRecord {
    std::vector<double> staleMs;  // one per step
    std::size_t toolbarPlaces = 0;
    double elapsedMs = 0;

    double Percentile(double fraction) const {
        if (staleMs.empty()) return 0;
        std::vector<double> sorted = staleMs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1))];
    }
    std::string Summary() const {
        const auto worst = std::max_element(staleMs.begin(), staleMs.end());
        char text[200];
        std::snprintf(text, sizeof text,
                      "staleness median %.0f ms, p90 %.0f ms, max %.0f ms (step %td) over %zu "
                      "steps; the toolbar at %zu places in %.0f ms",
                      Percentile(0.5), Percentile(0.9), Percentile(1.0),
                      worst - staleMs.begin() + 1, staleMs.size(), toolbarPlaces, elapsedMs);
        return text;
    }
    // More places than ticks `tickMs` apart could have given (the first
    // place, and at most T / tickMs + 1 ticks in T): the toolbar moved
    // between them.
    bool MovedBetweenTicks(double tickMs) const {
        return static_cast<double>(toolbarPlaces) > elapsedMs / tickMs + 2;
    }
};

// 125 steps of 3 px to the right, one every 16 ms: a two-second drag.
// `pace` returns at the time given, keeping the caller's windows alive.
inline DragRecord DragRight(Corner start, const std::function<void(Corner)>& moveTo,
                            const std::function<Corner()>& toolbarCorner,
                            const std::function<void(std::chrono::steady_clock::time_point)>& pace,
                            int steps = 125) {
    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    std::vector<Corner> corners{start};
    std::vector<Clock::time_point> movedAt{Clock::now()};
    std::set<Corner> places;
    DragRecord record;
    for (int step = 1; step <= steps; ++step) {
        pace(movedAt.back() + std::chrono::milliseconds(16));
        const Corner seen = toolbarCorner();
        const auto now = Clock::now();
        places.insert(seen);
        // Off the corner since the window left the last corner it was seen on.
        std::size_t on = corners.size();
        while (on > 0 && corners[on - 1] != seen) --on;
        const bool current = on == corners.size();
        record.staleMs.push_back(current ? 0 : since(movedAt[on], now));
        corners.push_back({start.first + 3 * step, start.second});
        moveTo(corners.back());
        movedAt.push_back(Clock::now());
    }
    record.toolbarPlaces = places.size();
    record.elapsedMs = since(movedAt.front(), movedAt.back());
    return record;
}

}  // namespace brumelis::test_support
