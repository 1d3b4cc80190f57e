// The order pieces are drawn in: the game fills only a piece's outer
// contour, and later pieces are drawn over earlier ones and win a tap, so a
// piece must come before every piece lying in its holes. Pieces go by how
// many holes they lie in, then by region number.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/outline/piece_contours.h"

std::vector<std::int32_t> drawingOrder(const BorderGraph& graph, const std::vector<RegionOutline>& outlines);
