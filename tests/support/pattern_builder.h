// Pattern files made in code, for tests: the records, and a pattern loaded
// from them through the real reader.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "pattern/pattern.h"
#include "pattern/pattern_file.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/temp_folder.h"

// A header for a square picture with N = 16000 in the given variant.
PatternFile squareFile(bool polyline);

// Adds a polyline piece whose one contour walks `points` (raw units,
// y measured downwards) on a path of its own; returns its index.
int addPolylinePiece(PatternFile& file, const std::vector<std::pair<int, int>>& points, int colour,
                     int labelX = 8000, int labelY = 8000);

// Adds a colour record; returns its index in the file's table.
int addColour(PatternFile& file, int red, int green, int blue);

// The 78-byte file of one red square covering the whole picture.
PatternFile redSquareFile();

// Four squares in a 2 x 2 grid, of colours 0, 1, 1, 2 (red, green and blue),
// each labelled at its centre.
PatternFile fourSquaresFile();

// A pattern loaded from records (or bytes) through the file system, with
// its own settings record and a headless backend that logs the sounds.
struct LoadedTestPattern {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
};
std::unique_ptr<LoadedTestPattern> loadFromBytes(const std::vector<std::byte>& bytes);
std::unique_ptr<LoadedTestPattern> loadFromRecords(const PatternFile& file);

// The points a loaded piece gathered for its contour `j`.
std::vector<POINT> contourPoints(const Piece& piece, int j = 0);
