// From the SVG's shapes to pieces the game can play.
//
// The game fills and hit-tests only a piece's outer contour; inner contours
// are outlines it draws and nothing more. So a shape with holes becomes one
// piece per filled region, whose outer contour is the region's boundary and
// whose inner contours are its holes' outlines, and each hole is covered
// again by a piece drawn after it: the hole's own piece, in the colour that
// covers most of the hole in the picture drawn so far (white where nothing
// is), followed by copies of the earlier pieces that lie wholly inside the
// hole (the originals end up covered and are dropped later). Regions inside
// a hole (islands) follow as pieces of their own. Which subpaths bound
// regions and which bound holes follows the shape's fill rule, assuming its
// subpaths do not cross one another.
#pragma once

#include <string>
#include <vector>

#include "pattern/pattern_writer.h"
#include "tools/vellumar-pattern/compile/canvas_grid.h"
#include "maker/svg/svg_document.h"

struct ShapePieces {
    PatternModel model;              // labels not yet placed
    std::vector<Polygon> outers;     // each piece's outer contour, flattened
    std::vector<std::string> notes;  // what was changed on the way, for the report
};

// `grid` is the raster used to judge the colour under a hole.
ShapePieces piecesFromShapes(const svg::Picture& picture, const CanvasGrid& grid);

// The source size written to the file for a picture of this viewBox: the
// longer side 16000, the shorter in proportion.
void sourceSizeOf(double width, double height, std::int32_t& sourceWidth, std::int32_t& sourceHeight);
