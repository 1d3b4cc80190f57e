// The palette a picture is painted with: its own colours when it has few
// enough (flat art), otherwise the centres of k-means clusters in CIELAB.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "maker/picture.h"
#include "maker/regions/lab_image.h"

// The picture's distinct colours in the order they first appear, or nothing
// when it has more than `most`.
std::optional<std::vector<std::uint32_t>> exactColours(const Picture& picture, int most);

// Up to `colours` centres (fewer only when the picture has fewer distinct
// colours), from k-means++ seeds chosen with a fixed-seed generator on a
// fixed subsample, so the same image always gives the same palette.
std::vector<LabPixel> kMeansPalette(const LabImage& image, int colours);

// The index of the palette colour nearest to each pixel.
std::vector<std::uint8_t> nearestColours(const LabImage& image, const std::vector<LabPixel>& palette);
