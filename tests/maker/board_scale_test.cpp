#include "maker/board_scale.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/pattern_builder.h"
#include "tools/vellumar-pattern/playability.h"

// The unit of --min-radius agrees with the view `check` judges taps in.
TEST(BoardScale, MatchesTheViewCheckTapsIn) {
    const std::pair<int, int> sizes[] = {{1024, 683}, {683, 1024}, {1000, 1000}, {1024, 100}, {300, 1024}};
    for (const auto& [width, height] : sizes) {
        PatternFile file = redSquareFile();
        file.header.sourceWidth = width;
        file.header.sourceHeight = height;
        const auto loaded = loadFromRecords(file);
        const double expected = unitsPerPixel(loaded->pattern, kTapZoom) * std::max(width, height) / 16000.0;
        EXPECT_NEAR(picturePixelsPerBoardPixel(width, height), expected, expected * 1e-3)
            << width << "x" << height;
    }
}
