// The SVG reader: path syntax, arcs, transforms, styles and colours.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "maker/svg/colour.h"
#include "maker/svg/path_parser.h"
#include "maker/svg/svg_document.h"
#include "maker/svg/transform.h"

using namespace svg;

namespace {

PointD at(const Segment& s, double t) {
    const PointD c[4] = {s.p0, s.p1, s.p2, s.p3};
    return evaluateBezier(3, c, t);
}

void expectNear(PointD actual, PointD expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

Picture read(const std::string& body, const std::string& attributes = "viewBox=\"0 0 100 100\"") {
    std::string error;
    const auto picture = readSvg(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" " +
            attributes + ">" + body + "</svg>",
        error);
    EXPECT_TRUE(picture) << error;
    return picture.value_or(Picture{});
}

}  // namespace

TEST(SvgPath, EveryStraightCommandAbsoluteAndRelative) {
    const auto subpaths = parsePathData("M10,10 L20,10 l0,10 H10 h5 V30 v-5 z m1 1 2 0 0 2Z");
    ASSERT_EQ(subpaths.size(), 2u);
    const auto& a = subpaths[0].segments;
    ASSERT_EQ(a.size(), 7u);  // six commands and the closing line
    const PointD ends[] = {{20, 10}, {20, 20}, {10, 20}, {15, 20}, {15, 30}, {15, 25}, {10, 10}};
    for (int i = 0; i < 7; ++i) {
        expectNear(a[i].p3, ends[i]);
        EXPECT_TRUE(a[i].straight);
    }
    // After Z the current point is the subpath's start, so "m1 1" moves to (11, 11),
    // and the pairs after a move are lines.
    expectNear(subpaths[1].segments[0].p0, {11, 11});
    expectNear(subpaths[1].segments[0].p3, {13, 11});
    expectNear(subpaths[1].segments[1].p3, {13, 13});
}

TEST(SvgPath, CompactNumbersAndArcFlags) {
    const auto subpaths = parsePathData("M.5.5-1-1e1 1.5e+1,2 A5 5 0 1110 0");
    ASSERT_EQ(subpaths.size(), 1u);
    const auto& s = subpaths[0].segments;
    ASSERT_GE(s.size(), 3u);
    expectNear(s[0].p0, {0.5, 0.5});
    expectNear(s[0].p3, {-1, -10});
    expectNear(s[1].p3, {15, 2});
    expectNear(s.back().p3, {10, 0});
}

TEST(SvgPath, SmoothCurvesReflectThePreviousControlPoint) {
    const auto subpaths = parsePathData("M0 0 C0 10 10 10 10 0 S20 -10 20 0 M0 0 Q5 10 10 0 T20 0");
    ASSERT_EQ(subpaths.size(), 2u);
    const auto& c = subpaths[0].segments;
    expectNear(c[1].p1, {10, -10});
    expectNear(c[1].p2, {20, -10});
    // A quadratic raised to a cubic: its midpoint is (p0 + 2q + p1) / 4.
    const auto& q = subpaths[1].segments;
    expectNear(at(q[0], 0.5), {5, 5});
    expectNear(at(q[1], 0.5), {15, -5});  // the reflected control point is (15, -10)
}

TEST(SvgPath, ArcsFollowTheirEllipse) {
    // Half of the circle of radius 10 around (10, 0), through its lowest point (y grows down).
    auto subpaths = parsePathData("M0 0 A10 10 0 0 0 20 0");
    ASSERT_EQ(subpaths.size(), 1u);
    const auto& s = subpaths[0].segments;
    EXPECT_EQ(s.size(), 2u) << "a half turn takes two quarter-turn cubics";
    for (const Segment& g : s) {
        for (double t = 0; t <= 1; t += 0.125) {
            const PointD p = at(g, t);
            EXPECT_NEAR(std::hypot(p.x - 10, p.y), 10, 0.003);
            EXPECT_GE(p.y, -1e-9) << "sweep 0 from left to right passes below";
        }
    }
    // Radii too small for the two ends are scaled up until they fit.
    subpaths = parsePathData("M0 0 A1 1 0 0 1 20 0");
    for (double t = 0; t <= 1; t += 0.25) {
        const PointD p = at(subpaths[0].segments[0], t);
        EXPECT_NEAR(std::hypot(p.x - 10, p.y), 10, 0.003);
    }
    // The large arc of a rotated ellipse goes the long way round: three quarter turns or more.
    subpaths = parsePathData("M0 0 a20 10 30 1 1 10 0");
    EXPECT_GE(subpaths[0].segments.size(), 3u);
    expectNear(subpaths[0].segments.back().p3, {10, 0});
}

TEST(SvgTransform, ListsApplyRightToLeft) {
    const auto m = parseTransform("translate(10 20) scale(2) rotate(90)");
    ASSERT_TRUE(m);
    expectNear(m->apply({1, 0}), {10, 22});
    const auto r = parseTransform("rotate(90, 10, 10)");
    expectNear(r->apply({20, 10}), {10, 20});
    const auto k = parseTransform("skewX(45) skewY(0)");
    expectNear(k->apply({0, 10}), {10, 10});
    const auto mm = parseTransform("matrix(1,2,3,4,5,6)");
    expectNear(mm->apply({1, 1}), {9, 12});
    EXPECT_FALSE(parseTransform("rotate(1 2)"));
    EXPECT_FALSE(parseTransform("spin(3)"));
}

TEST(SvgColour, AllForms) {
    const auto near = [](std::optional<Rgba> c, double r, double g, double b, double a = 1) {
        ASSERT_TRUE(c);
        EXPECT_NEAR(c->red, r, 1e-9);
        EXPECT_NEAR(c->green, g, 1e-9);
        EXPECT_NEAR(c->blue, b, 1e-9);
        EXPECT_NEAR(c->alpha, a, 1e-9);
    };
    near(parseColour("#f80"), 255, 136, 0);
    near(parseColour("#1A2b3C"), 26, 43, 60);
    near(parseColour(" rgb(10, 20 ,30) "), 10, 20, 30);
    near(parseColour("rgb(100%,50%,0%)"), 255, 127.5, 0);
    near(parseColour("rgba(1,2,3,0.25)"), 1, 2, 3, 0.25);
    near(parseColour("cornflowerblue"), 100, 149, 237);
    near(parseColour("YellowGreen"), 154, 205, 50);
    near(parseColour("aliceblue"), 240, 248, 255);
    near(parseColour("yellowgreen"), 154, 205, 50);
    EXPECT_FALSE(parseColour("#12345"));
    EXPECT_FALSE(parseColour("notacolour"));
}

TEST(SvgDocument, StylesInheritAndOpacityBlendsAgainstWhite) {
    const Picture p = read(
        "<g fill='red' fill-rule='evenodd' style='fill:blue'>"
        "  <rect width='10' height='10'/>"
        "  <rect width='10' height='10' fill='#000' fill-opacity='0.5'/>"
        "  <g opacity='0.5'><rect width='10' height='10' style='fill: rgb(0,0,0); opacity: 0.5'/></g>"
        "  <rect width='10' height='10' fill='none'/>"
        "  <rect width='10' height='10' style='display:none'/>"
        "  <g visibility='hidden'><rect width='10' height='10'/>"
        "     <rect width='10' height='10' visibility='visible' fill-rule='nonzero' id='shown'/></g>"
        "</g>");
    ASSERT_EQ(p.shapes.size(), 4u);
    // The style attribute wins over the presentation attribute; opacities multiply down the tree.
    EXPECT_EQ(std::tuple(p.shapes[0].blue, p.shapes[0].red, p.shapes[0].evenOdd, p.shapes[1].red,
                         p.shapes[2].red, p.shapes[3].name, p.shapes[3].evenOdd),
              std::tuple(255.0, 0.0, true, 127.5, 255 * 0.75, "#shown", false));
}

TEST(SvgDocument, UseGradientsAndTransforms) {
    const Picture p = read(
        "<defs>"
        "  <linearGradient id='g'><stop offset='0' stop-color='#000'/><stop offset='1' "
        "style='stop-color:#fff'/></linearGradient>"
        "  <radialGradient id='h' xlink:href='#g'/>"
        "  <rect id='r' x='1' y='1' width='2' height='2'/>"
        "</defs>"
        "<g transform='translate(10,0)'>"
        "  <use href='#r' x='5' y='5' fill='url(#h)'/>"
        "  <use xlink:href='#r' transform='scale(2)' fill='url(#missing) green'/>"
        "</g>");
    ASSERT_EQ(p.shapes.size(), 2u);
    EXPECT_DOUBLE_EQ(p.shapes[0].red, 127.5) << "the mean of black and white";
    expectNear(p.shapes[0].subpaths[0].segments[0].p0, {16, 6});
    EXPECT_DOUBLE_EQ(p.shapes[1].green, 128);
    expectNear(p.shapes[1].subpaths[0].segments[0].p0, {12, 2});
}

TEST(SvgDocument, SizeFromTheViewBoxOrWidthAndHeight) {
    Picture p = read("", "viewBox='-5 -10 300 200' width='30mm' height='20mm'");
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.width, 300);
    EXPECT_EQ(p.height, 200);
    p = read("", "width='640px' height='480'");
    EXPECT_EQ(p.width, 640);
    EXPECT_EQ(p.height, 480);
    std::string error;
    EXPECT_FALSE(readSvg("<svg width='100%' height='100%'/>", error));
    EXPECT_NE(error.find("viewBox"), std::string::npos);
    EXPECT_FALSE(readSvg("<html/>", error));
}

TEST(SvgDocument, AnEditorsOwnElementsAreSkippedQuietly) {
    const Picture picture = read(
        "<sodipodi:namedview pagecolor='#ffffff'/><inkscape:grid/>"
        "<svg:rect width='5' height='5' fill='red'/><text>words</text>");
    ASSERT_EQ(picture.shapes.size(), 1u);
    EXPECT_EQ(picture.warnings, std::vector<std::string>{"<text> elements are left out"});
}
