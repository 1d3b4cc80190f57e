// Exact squared Euclidean distance transforms on a grid, by separable passes
// of the lower envelope of parabolas (Felzenszwalb and Huttenlocher).
#pragma once

#include <cstdint>
#include <vector>

// In place: every cell becomes min over all cells p of (distance to p)^2 +
// grid[p]. Start with 0 at feature cells and kFarSquared elsewhere to get the
// squared distance (in cells) to the nearest feature cell.
inline constexpr double kFarSquared = 1e20;
void squaredDistanceTransform(std::vector<double>& grid, int columns, int rows);

// Squared distances (in cells) from every cell to the nearest feature cell
// (nonzero), row by row. Along columns the distance of a binary map is a
// plain count, taken in two sweeps over whole rows; only the rows need the
// parabolas.
std::vector<double> squaredDistanceToFeatures(const std::vector<std::uint8_t>& feature, int columns,
                                              int rows);
std::vector<double> distanceTransform(const std::vector<bool>& feature, int columns, int rows);
