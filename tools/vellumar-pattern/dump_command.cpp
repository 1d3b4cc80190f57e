// `vellumar-pattern dump FILE`: the loaded pattern as one JSON object, with
// the numbers the game computes at load.
#include <cstdio>

#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/json_writer.h"
#include "tools/vellumar-pattern/loaded_pattern.h"

namespace {

void writeColours(JsonWriter& json, const Pattern& p) {
    json.key("colours");
    json.beginArray();
    for (int c = 0; c < p.colourCount; ++c) {
        json.beginObject();
        json.key("rgb");
        json.beginArray();
        for (BYTE component : p.colourRGB[c]) {
            json.value(std::int64_t{component});
        }
        json.endArray();
        json.key("ref");
        json.value(std::int64_t{p.colourRef[c]});
        json.key("luma");
        json.value(std::int64_t{p.colourLuma[c]});
        json.key("piecesLeft");
        json.value(std::int64_t{p.piecesLeftPerColour[c]});
        json.endObject();
    }
    json.endArray();
}

void writePiece(JsonWriter& json, const Piece& piece) {
    json.beginObject();
    json.key("colour");
    json.value(std::int64_t{piece.colour});
    json.key("labelX");
    json.value(std::int64_t{piece.labelX});
    json.key("labelY");
    json.value(std::int64_t{piece.labelY});
    json.key("painted");
    json.value(std::int64_t{piece.painted});
    json.key("contourSizes");
    json.beginArray();
    for (std::int32_t size : piece.contourSizes) {
        json.value(std::int64_t{size});
    }
    json.endArray();
    json.key("bounds");
    json.beginArray();
    for (std::int32_t v : {piece.boundsMinX, piece.boundsMinY, piece.boundsMaxX, piece.boundsMaxY}) {
        json.value(std::int64_t{v});
    }
    json.endArray();
    json.key("points");
    json.beginArray();
    for (const POINT& point : piece.points) {
        json.beginArray();
        json.value(std::int64_t{point.x});
        json.value(std::int64_t{point.y});
        json.endArray();
    }
    json.endArray();
    json.endObject();
}

}  // namespace

int runDump(const std::string& file) {
    const auto loaded = loadForCommand(file);
    if (!loaded) {
        return 1;
    }
    const Pattern& p = loaded->pattern;
    JsonWriter json;
    json.beginObject();
    const auto integer = [&](const char* name, std::int64_t v) {
        json.key(name);
        json.value(v);
    };
    const auto real = [&](const char* name, float v) {
        json.key(name);
        json.value(v);
    };
    integer("sourceWidth", p.sourceWidth);
    integer("sourceHeight", p.sourceHeight);
    integer("coordinateRange", p.coordinateRange);
    integer("polylineFlag", p.polylineFlag);
    integer("rectilinearFlag", p.rectilinearFlag);
    real("scaleX", p.scaleX);
    real("scaleY", p.scaleY);
    real("extentWidth", p.extentWidth);
    real("extentHeight", p.extentHeight);
    real("minX", p.minX);
    real("maxX", p.maxX);
    real("minY", p.minY);
    real("maxY", p.maxY);
    real("originX", p.originX);
    real("originY", p.originY);
    integer("pieceCount", p.pieceCount);
    integer("pieceTotal", p.pieceTotal);
    integer("piecesLeft", p.piecesLeft);
    integer("colourCount", p.colourCount);
    integer("coloursLeft", p.coloursLeft);
    integer("selectedColour", p.selectedColour);
    integer("missCount", p.missCount);
    writeColours(json, p);
    json.key("pieces");
    json.beginArray();
    for (const Piece& piece : p.pieces) {
        writePiece(json, piece);
    }
    json.endArray();
    json.endObject();
    std::fwrite(json.text().data(), 1, json.text().size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
