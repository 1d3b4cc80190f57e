// The records of a pattern file (.mza) as they lie on disk: little-endian,
// packed, in this order: header, geometry (points or curves), paths, edges,
// contours, pieces, colours, a two-byte trailer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct PatternHeader {
    std::int32_t unused = 0;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    std::uint8_t polylineFlag = 0;
    std::uint8_t rectilinearFlag = 0;
    std::int32_t coordinateRange = 0;
    std::uint16_t pointRecordCount = 0;
    std::uint16_t curveRecordCount = 0;
    std::uint16_t pathRecordCount = 0;
    std::uint16_t edgeRecordCount = 0;
    std::uint16_t contourRecordCount = 0;
    std::int16_t pieceCount = 0;
    std::uint16_t colourRecordCount = 0;
};

struct PointRecord {
    std::uint16_t x = 0;
    std::uint16_t y = 0;  // measured downwards
};

struct CurveRecord {
    std::uint16_t x[4] = {};  // P0 ... P3; y measured upwards
    std::uint16_t y[4] = {};
    std::uint8_t steps = 0;
};

struct PathRecord {
    std::uint16_t first = 0;  // inclusive range; first > last is empty
    std::uint16_t last = 0;
};

struct EdgeRecord {
    std::uint16_t path = 0;
    std::uint8_t forward = 0;
};

struct ContourRecord {
    std::uint16_t firstEdge = 0;  // inclusive range; firstEdge > lastEdge is empty
    std::uint16_t lastEdge = 0;
};

struct PieceRecord {
    std::uint16_t firstContour = 0;
    std::uint16_t lastContour = 0;
    std::uint16_t colour = 0;
    std::uint16_t labelX = 0;
    std::uint16_t labelY = 0;  // measured upwards
};

struct ColourRecord {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct PatternFile {
    PatternHeader header;
    std::vector<PointRecord> points;  // polyline variant only
    std::vector<CurveRecord> curves;  // curve variant only
    std::vector<PathRecord> paths;
    std::vector<EdgeRecord> edges;
    std::vector<ContourRecord> contours;
    std::vector<PieceRecord> pieces;
    std::vector<ColourRecord> colours;
    std::uint16_t trailer = 0;

    // How many records of each table the file holds; the rest lie past its
    // end and are all the zero record, so what holds for one of them holds
    // for all (a file made in code holds everything).
    struct Held {
        std::size_t geometry = SIZE_MAX, paths = SIZE_MAX, edges = SIZE_MAX, contours = SIZE_MAX,
                    pieces = SIZE_MAX, colours = SIZE_MAX;
    } held;

    // Polyline when polylineFlag is nonzero or rectilinearFlag is exactly 1.
    bool isPolyline() const { return header.polylineFlag != 0 || header.rectilinearFlag == 1; }
    bool isRectilinear() const { return header.rectilinearFlag == 1; }
};

// The longest file the format can describe; nothing past it is ever read.
inline constexpr std::size_t kLargestPatternFile =
    32 + 17 * 65535 + 4 * 65535 + 3 * 65535 + 4 * 65535 + 10 * 32767 + 3 * 65535 + 2;

// How the records past the end of a short file are kept: every one of them,
// or the first only, standing for the rest (`held` says where they start).
enum class ZeroTails { Whole, Held };

// Reads the records in file order. What a short file does not supply reads
// as zero, with every table at the size its header count gives (a negative
// piece count gives no pieces), or with ZeroTails::Held cut after the first
// zero record.
PatternFile parsePatternFile(std::span<const std::byte> bytes, ZeroTails tails = ZeroTails::Whole);

// Writes the records; the header counts are taken from the tables, and only
// the geometry of the file's own variant is written.
std::vector<std::byte> serializePatternFile(const PatternFile& file);
