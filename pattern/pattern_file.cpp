#include "pattern/pattern_file.h"

#include <algorithm>

namespace {

// Sequential little-endian reads; past the end every byte reads as zero.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::uint8_t u8() { return at_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[at_++]) : (++at_, 0); }
    std::uint16_t u16() {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    bool exhausted() const { return at_ >= bytes_.size(); }

  private:
    std::span<const std::byte> bytes_;
    std::size_t at_ = 0;
};

class ByteWriter {
  public:
    void u8(std::uint8_t v) { bytes.push_back(static_cast<std::byte>(v)); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xFFFF));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    std::vector<std::byte> bytes;
};

// Records start as zero, which is what every field past the end reads as, so
// reading stops there: a short file with large counts costs no per-field work.
// With `tails` Held, the zero records past the end are kept once.
template <typename Record, typename ReadOne>
std::vector<Record> readTable(const ByteReader& in, std::size_t count, ReadOne readOne, std::size_t* held,
                              ZeroTails tails) {
    std::vector<Record> table;
    while (table.size() < count && !in.exhausted()) {
        readOne(table.emplace_back());
    }
    *held = table.size();
    table.resize(tails == ZeroTails::Whole ? count : std::min(count, table.size() + 1));
    return table;
}

}  // namespace

PatternFile parsePatternFile(std::span<const std::byte> bytes, ZeroTails tails) {
    ByteReader in(bytes);
    PatternFile file;
    PatternHeader& h = file.header;
    h.unused = in.i32();
    h.sourceWidth = in.i32();
    h.sourceHeight = in.i32();
    h.polylineFlag = in.u8();
    h.rectilinearFlag = in.u8();
    h.coordinateRange = in.i32();
    h.pointRecordCount = in.u16();
    h.curveRecordCount = in.u16();
    h.pathRecordCount = in.u16();
    h.edgeRecordCount = in.u16();
    h.contourRecordCount = in.u16();
    h.pieceCount = in.i16();
    h.colourRecordCount = in.u16();

    if (file.isPolyline()) {
        file.points = readTable<PointRecord>(
            in, h.pointRecordCount,
            [&](PointRecord& p) {
                p.x = in.u16();
                p.y = in.u16();
            },
            &file.held.geometry, tails);
    } else {
        file.curves = readTable<CurveRecord>(
            in, h.curveRecordCount,
            [&](CurveRecord& c) {
                for (int k = 0; k < 4; ++k) {
                    c.x[k] = in.u16();
                    c.y[k] = in.u16();
                }
                c.steps = in.u8();
            },
            &file.held.geometry, tails);
    }
    file.paths = readTable<PathRecord>(
        in, h.pathRecordCount,
        [&](PathRecord& p) {
            p.first = in.u16();
            p.last = in.u16();
        },
        &file.held.paths, tails);
    file.edges = readTable<EdgeRecord>(
        in, h.edgeRecordCount,
        [&](EdgeRecord& e) {
            e.path = in.u16();
            e.forward = in.u8();
        },
        &file.held.edges, tails);
    file.contours = readTable<ContourRecord>(
        in, h.contourRecordCount,
        [&](ContourRecord& c) {
            c.firstEdge = in.u16();
            c.lastEdge = in.u16();
        },
        &file.held.contours, tails);
    file.pieces = readTable<PieceRecord>(
        in, static_cast<std::size_t>(std::max<int>(h.pieceCount, 0)),
        [&](PieceRecord& p) {
            p.firstContour = in.u16();
            p.lastContour = in.u16();
            p.colour = in.u16();
            p.labelX = in.u16();
            p.labelY = in.u16();
        },
        &file.held.pieces, tails);
    file.colours = readTable<ColourRecord>(
        in, h.colourRecordCount,
        [&](ColourRecord& c) {
            c.red = in.u8();
            c.green = in.u8();
            c.blue = in.u8();
        },
        &file.held.colours, tails);
    file.trailer = in.u16();
    return file;
}

std::vector<std::byte> serializePatternFile(const PatternFile& file) {
    ByteWriter out;
    const PatternHeader& h = file.header;
    const bool polyline = file.isPolyline();
    out.u32(static_cast<std::uint32_t>(h.unused));
    out.u32(static_cast<std::uint32_t>(h.sourceWidth));
    out.u32(static_cast<std::uint32_t>(h.sourceHeight));
    out.u8(h.polylineFlag);
    out.u8(h.rectilinearFlag);
    out.u32(static_cast<std::uint32_t>(h.coordinateRange));
    out.u16(static_cast<std::uint16_t>(polyline ? file.points.size() : h.pointRecordCount));
    out.u16(static_cast<std::uint16_t>(polyline ? h.curveRecordCount : file.curves.size()));
    out.u16(static_cast<std::uint16_t>(file.paths.size()));
    out.u16(static_cast<std::uint16_t>(file.edges.size()));
    out.u16(static_cast<std::uint16_t>(file.contours.size()));
    out.u16(static_cast<std::uint16_t>(file.pieces.size()));
    out.u16(static_cast<std::uint16_t>(file.colours.size()));
    if (polyline) {
        for (const PointRecord& p : file.points) {
            out.u16(p.x);
            out.u16(p.y);
        }
    } else {
        for (const CurveRecord& c : file.curves) {
            for (int k = 0; k < 4; ++k) {
                out.u16(c.x[k]);
                out.u16(c.y[k]);
            }
            out.u8(c.steps);
        }
    }
    for (const PathRecord& p : file.paths) {
        out.u16(p.first);
        out.u16(p.last);
    }
    for (const EdgeRecord& e : file.edges) {
        out.u16(e.path);
        out.u8(e.forward);
    }
    for (const ContourRecord& c : file.contours) {
        out.u16(c.firstEdge);
        out.u16(c.lastEdge);
    }
    for (const PieceRecord& p : file.pieces) {
        out.u16(p.firstContour);
        out.u16(p.lastContour);
        out.u16(p.colour);
        out.u16(p.labelX);
        out.u16(p.labelY);
    }
    for (const ColourRecord& c : file.colours) {
        out.u8(c.red);
        out.u8(c.green);
        out.u8(c.blue);
    }
    out.u16(file.trailer);
    return std::move(out.bytes);
}
