// The whole pattern maker in one call: a picture file into the records of a
// planar pattern, through its steps (read, regions, outline). The tool and
// the game both make patterns through this.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "maker/input/read_picture.h"
#include "maker/picture.h"
#include "maker/segmentation.h"
#include "pattern/pattern_file.h"
#include "pattern/pattern_writer.h"

struct MakeOptions {
    int colours = 12;      // 2 .. 32
    int pieces = 170;      // a target met within 10% when the picture allows it
    double minRadius = 3;  // board pixels at the reference zoom (maker/board_scale.h)
    GeometryVariant variant = GeometryVariant::Curves;
    int maxLongSide = 0;  // 0: the default for the kind of file (maker/input/read_picture.h)
    SvgFraming framing;   // an SVG drawing's background and view
};

// Presets a player understands.
enum class Detail { Easy, Medium, Hard };
MakeOptions optionsFor(Detail detail);

struct MakeReport {
    Picture picture;            // as read and scaled: what the pattern was made from
    Segmentation segmentation;  // the regions the pieces outline
    double smallestRadius = 0;  // the narrowest piece's inscribed radius, in board pixels
    bool targetMet = true;
    std::vector<std::string> notes;  // what was left out or missed, in plain words
    double readSeconds = 0, regionSeconds = 0, outlineSeconds = 0;
};

// The pattern, or nothing with `error` saying why (to follow the file's
// name). `progress` hears the fraction done (0 .. 1) now and then. The same
// file and options always give the same records.
std::optional<PatternFile> makePattern(const std::string& path, const MakeOptions& options,
                                       MakeReport& report, std::string& error,
                                       const std::function<void(double)>& progress = {});
