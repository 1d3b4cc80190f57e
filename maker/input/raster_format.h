// The raster formats the maker reads, told by their first bytes, and whether
// a file holds the whole of its (first) picture. stb_image reads zeros past
// the end of a cut file rather than failing, so a cut file must be caught
// here: it would otherwise load as a picture with a black bottom.
#pragma once

#include <cstddef>
#include <span>

enum class RasterFormat { Unknown, Png, Jpeg, Bmp, Gif };

RasterFormat rasterFormatOf(std::span<const std::byte> bytes);
const char* formatName(RasterFormat format);

// False when the file ends before its picture's data does. A file damaged in
// another way may still pass; the decoder then refuses it.
bool holdsWholePicture(std::span<const std::byte> bytes, RasterFormat format);
