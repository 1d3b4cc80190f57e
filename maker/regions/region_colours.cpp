#include "maker/regions/region_colours.h"

std::vector<RegionColour> regionColours(const RegionMap& map, const LabImage& source) {
    std::vector<RegionColour> colours(map.colourOf.size());
    for (std::size_t i = 0; i < map.regionOf.size(); ++i) {
        RegionColour& c = colours[map.regionOf[i]];
        c.l += source.pixels[i].l;
        c.a += source.pixels[i].a;
        c.b += source.pixels[i].b;
        ++c.area;
    }
    return colours;
}
