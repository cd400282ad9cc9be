#include "platform/whole_on_output.h"

#include <gtest/gtest.h>

TEST(WholeOnOutput, MovesInwardOnlyWhatTheOutputWouldCut) {
    // Wanted left, top, width, height on a 1280 x 800 output; left, top expected.
    const int cases[][6] = {{1247, 687, 33, 113, 1247, 687},
                            {1275, 150, 33, 113, 1247, 150},
                            {1279, 799, 33, 113, 1247, 687},
                            {-20, -5, 33, 113, -20, -5}};
    for (const auto& c : cases) {
        const auto placed = brumelis::WholeOnOutput({c[0], c[1], c[2], c[3]}, {0, 0, 1280, 800});
        EXPECT_EQ((std::pair{c[4], c[5]}), (std::pair{placed.left, placed.top})) << c[0];
    }
}
