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

// Each record's fields in file order, walked alike to read and to write.
template <typename Io>
void fields(Io& io, PointRecord& p) {
    io(p.x);
    io(p.y);
}
template <typename Io>
void fields(Io& io, CurveRecord& c) {
    for (int k = 0; k < 4; ++k) {
        io(c.x[k]);
        io(c.y[k]);
    }
    io(c.steps);
}
template <typename Io>
void fields(Io& io, PathRecord& p) {
    io(p.first);
    io(p.last);
}
template <typename Io>
void fields(Io& io, EdgeRecord& e) {
    io(e.path);
    io(e.forward);
}
template <typename Io>
void fields(Io& io, ContourRecord& c) {
    io(c.firstEdge);
    io(c.lastEdge);
}
template <typename Io>
void fields(Io& io, PieceRecord& p) {
    io(p.firstContour);
    io(p.lastContour);
    io(p.colour);
    io(p.labelX);
    io(p.labelY);
}
template <typename Io>
void fields(Io& io, ColourRecord& c) {
    io(c.red);
    io(c.green);
    io(c.blue);
}

struct FieldReader {
    ByteReader& in;
    void operator()(std::uint8_t& v) { v = in.u8(); }
    void operator()(std::uint16_t& v) { v = in.u16(); }
};

struct FieldWriter {
    ByteWriter& out;
    void operator()(std::uint8_t v) { out.u8(v); }
    void operator()(std::uint16_t v) { out.u16(v); }
};

// Records start as zero, which is what every field past the end reads as, so
// reading stops there: a short file with large counts costs no per-field work.
// With `tails` Held, the zero records past the end are kept once.
template <typename Record>
std::vector<Record> readTable(ByteReader& in, std::size_t count, std::size_t* held, ZeroTails tails) {
    FieldReader reader{in};
    std::vector<Record> table;
    while (table.size() < count && !in.exhausted()) {
        fields(reader, table.emplace_back());
    }
    *held = table.size();
    table.resize(tails == ZeroTails::Whole ? count : std::min(count, table.size() + 1));
    return table;
}

template <typename Record>
void writeTable(ByteWriter& out, const std::vector<Record>& table) {
    FieldWriter writer{out};
    for (Record record : table) {
        fields(writer, record);
    }
}

PatternHeader readHeader(ByteReader& in) {
    PatternHeader h;
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
    return h;
}

// The header as the tables stand: each count is its table's size, but for the
// geometry table the variant leaves out, whose count is kept as it was.
void writeHeader(ByteWriter& out, const PatternFile& file) {
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
}

}  // namespace

PatternFile parsePatternFile(std::span<const std::byte> bytes, ZeroTails tails) {
    ByteReader in(bytes);
    PatternFile file;
    file.header = readHeader(in);
    const PatternHeader& h = file.header;
    if (file.isPolyline()) {
        file.points = readTable<PointRecord>(in, h.pointRecordCount, &file.held.geometry, tails);
    } else {
        file.curves = readTable<CurveRecord>(in, h.curveRecordCount, &file.held.geometry, tails);
    }
    file.paths = readTable<PathRecord>(in, h.pathRecordCount, &file.held.paths, tails);
    file.edges = readTable<EdgeRecord>(in, h.edgeRecordCount, &file.held.edges, tails);
    file.contours = readTable<ContourRecord>(in, h.contourRecordCount, &file.held.contours, tails);
    file.pieces = readTable<PieceRecord>(in, static_cast<std::size_t>(std::max<int>(h.pieceCount, 0)),
                                         &file.held.pieces, tails);
    file.colours = readTable<ColourRecord>(in, h.colourRecordCount, &file.held.colours, tails);
    file.trailer = in.u16();
    return file;
}

std::vector<std::byte> serializePatternFile(const PatternFile& file) {
    ByteWriter out;
    writeHeader(out, file);
    if (file.isPolyline()) {
        writeTable(out, file.points);
    } else {
        writeTable(out, file.curves);
    }
    writeTable(out, file.paths);
    writeTable(out, file.edges);
    writeTable(out, file.contours);
    writeTable(out, file.pieces);
    writeTable(out, file.colours);
    out.u16(file.trailer);
    return std::move(out.bytes);
}
