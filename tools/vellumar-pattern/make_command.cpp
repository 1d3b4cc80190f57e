// `vellumar-pattern make IN -o OUT.mza`: a planar pattern from a picture
// file, with a report of how close it comes to the picture.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "maker/board_scale.h"
#include "maker/make_pattern.h"
#include "maker/svg/colour.h"
#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/pattern_fidelity.h"
#include "tools/vellumar-pattern/playability.h"

const char* const kMakeHelp =
    "usage: vellumar-pattern make IN -o OUT.mza [--detail easy|medium|hard] [--colours N] [--pieces N]\n"
    "                             [--min-radius PX] [--polylines] [--max-size PX]\n"
    "                             [--background COLOUR] [--view X,Y,W,H]\n"
    "\n"
    "Makes a planar pattern from a picture: PNG, JPEG, BMP, GIF (its first frame) or\n"
    "SVG, told by the file's content. Every point of the picture lies in exactly one\n"
    "piece; the border between two pieces is stored once and walked by both.\n"
    "\n"
    "  -o OUT.mza         the pattern to write (through a temporary file beside it)\n"
    "  --detail LEVEL     easy (8 colours, 60 pieces), medium (12, 170; the default)\n"
    "                     or hard (24, 400); --colours and --pieces override it\n"
    "  --colours N        at most N colours, 2 to 32 (the palette's buttons)\n"
    "  --pieces N         about N pieces (met within 10% when the picture allows)\n"
    "  --min-radius PX    every piece holds a disc of PX pixels on the board of a\n"
    "                     240 x 294 screen zoomed in to 3.375, as `check` measures\n"
    "                     (default 3)\n"
    "  --polylines        straight points instead of curves\n"
    "  --max-size PX      the long side the picture is read at: raster pictures are\n"
    "                     scaled down to it (1024 by default), SVG drawn at it (2048)\n"
    "  --background COLOUR\n"
    "                     an SVG drawing is drawn over this SVG colour (white)\n"
    "  --view X,Y,W,H     frame this rectangle of an SVG drawing (in its viewBox's\n"
    "                     units) instead of its viewBox; what reaches beyond is cut\n"
    "\n"
    "The same file and options always give the same bytes. A picture that cannot be\n"
    "made gives one line naming the file and the reason, exit status 1, and no file.\n"
    "The pattern made is checked as `check` does; a broken rule is printed as a warning.\n"
    "\n"
    "The report: pieces and colours; the mean and 95th-percentile CIEDE2000 difference\n"
    "(and the mean CIE76) between the picture as read and the finished board drawn at\n"
    "its size; the narrowest piece's inscribed radius in board pixels at zoom 3.375;\n"
    "the time taken and the peak memory.\n";

namespace {

struct MakeArguments {
    std::string input, output;
    MakeOptions options;
};

bool parseNumber(const std::string& text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && value >= low && value <= high;
}

bool parseInteger(const std::string& text, int low, int high, int& value) {
    double v = 0;
    if (!parseNumber(text, low, high, v) || v != static_cast<int>(v)) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// "X,Y,W,H" with a positive width and height.
bool parseView(const std::string& text, SvgFraming& framing) {
    double x = 0, y = 0, w = 0, h = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lf,%lf,%lf,%lf%c", &x, &y, &w, &h, &end) != 4 || !(w > 0 && h > 0) ||
        !std::isfinite(x + y + w + h)) {
        return false;
    }
    framing.view = {x, y, w, h};
    return true;
}

bool parseBackground(const std::string& text, SvgFraming& framing) {
    const auto colour = svg::parseColour(text);
    if (!colour || colour->alpha < 1) {
        return false;
    }
    auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
    };
    framing.background = channel(colour->red) << 16 | channel(colour->green) << 8 | channel(colour->blue);
    return true;
}

// Nothing on success; else what was wrong, for a usage message.
std::optional<std::string> parseArguments(const std::vector<std::string>& arguments, MakeArguments& parsed) {
    std::optional<int> colours, pieces;
    Detail detail = Detail::Medium;
    double minRadius = parsed.options.minRadius;
    int maxSize = 0;
    bool polylines = false;
    SvgFraming framing;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const std::string value = hasValue ? arguments[i + 1] : std::string();
        int n = 0;
        if (a == "--polylines") {
            polylines = true;
            continue;
        }
        if (!a.starts_with("-") && parsed.input.empty()) {
            parsed.input = a;
            continue;
        }
        if (!hasValue) {
            return "unexpected '" + a + "'";
        }
        ++i;
        if (a == "-o") {
            parsed.output = value;
        } else if (a == "--detail" && (value == "easy" || value == "medium" || value == "hard")) {
            detail = value == "easy" ? Detail::Easy : value == "hard" ? Detail::Hard : Detail::Medium;
        } else if (a == "--colours" && parseInteger(value, 2, 32, n)) {
            colours = n;
        } else if (a == "--pieces" && parseInteger(value, 1, 32767, n)) {
            pieces = n;
        } else if (a == "--min-radius" && parseNumber(value, 0, 100, minRadius)) {
        } else if (a == "--max-size" && parseInteger(value, 16, 8192, maxSize)) {
        } else if (a == "--background" && parseBackground(value, framing)) {
        } else if (a == "--view" && parseView(value, framing)) {
        } else {
            return "cannot use " + a + " " + value;
        }
    }
    if (parsed.input.empty() || parsed.output.empty()) {
        return "make needs a picture and -o OUT.mza";
    }
    parsed.options = optionsFor(detail);
    parsed.options.colours = colours.value_or(parsed.options.colours);
    parsed.options.pieces = pieces.value_or(parsed.options.pieces);
    parsed.options.minRadius = minRadius;
    parsed.options.maxLongSide = maxSize;
    parsed.options.framing = framing;
    parsed.options.variant = polylines ? GeometryVariant::Polylines : GeometryVariant::Curves;
    return std::nullopt;
}

// Writes through a temporary file in the same folder, renamed over the
// target only once it is whole; nothing is left behind on failure.
bool writeAtomically(const std::string& path, const std::vector<std::byte>& bytes, std::string& error) {
    const std::filesystem::path target(path);
    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot be written in its folder";
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; give it the mode any new file would get.
    const mode_t mask = umask(0);
    umask(mask);
    const bool whole = done == bytes.size() && fchmod(fd, 0666 & ~mask) == 0 && fsync(fd) == 0;
    if (close(fd) != 0 || !whole || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot be written";
        return false;
    }
    return true;
}

// "\rmaking 40%" on a terminal, once the work has taken a second.
class Progress {
  public:
    Progress() : shown_(isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()) {}
    void operator()(double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (shown_ && percent != percent_ &&
            std::chrono::steady_clock::now() - start_ >= std::chrono::seconds(1)) {
            std::fprintf(stderr, "\rmaking %3d%%", percent);
            percent_ = percent;
            drawn_ = true;
        }
    }
    void clear() {
        if (drawn_) {
            std::fputs("\r            \r", stderr);
        }
    }

  private:
    bool shown_, drawn_ = false;
    int percent_ = -1;
    std::chrono::steady_clock::time_point start_;
};

// What making took: wall time, processor time (which other programs on the
// machine do not stretch) and peak memory.
struct Cost {
    double seconds = 0, cpuSeconds = 0, peakMiB = 0;
};

Cost costSince(std::chrono::steady_clock::time_point start) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_maxrss / 1024.0};  // kilobytes on Linux
}

int fail(const std::string& file, const std::string& reason) {
    std::fprintf(stderr, "vellumar-pattern: %s: %s\n", file.c_str(), reason.c_str());
    return 1;
}

void printReport(const MakeArguments& args, const MakeReport& report, const PatternFile& file,
                 const Fidelity& fidelity, const Cost& cost, double measureSeconds) {
    const char* out = args.output.c_str();
    std::printf("%s: %zu pieces, %zu colours, from a %d x %d picture\n", out, file.pieces.size(),
                file.colours.size(), report.picture.width, report.picture.height);
    std::printf(
        "%s: difference from the picture as the game paints it: CIEDE2000 mean %.2f, 95th percentile "
        "%.2f; CIE76 mean %.2f\n",
        out, fidelity.meanCiede2000, fidelity.p95Ciede2000, fidelity.meanCie76);
    std::printf("%s: the narrowest piece holds a disc of radius %.1f board pixels at zoom %.3f\n", out,
                report.smallestRadius, kReferenceZoom);
    std::printf(
        "%s: made in %.3f s (reading %.3f, regions %.3f, outline %.3f; processor time %.3f s), peak memory "
        "%.0f "
        "MiB\n",
        out, cost.seconds, report.readSeconds, report.regionSeconds, report.outlineSeconds, cost.cpuSeconds,
        cost.peakMiB);
    std::printf("%s: measuring the difference took %.3f s more\n", out, measureSeconds);
}

}  // namespace

int runMake(const std::vector<std::string>& arguments) {
    MakeArguments args;
    if (const auto wrong = parseArguments(arguments, args)) {
        std::fprintf(stderr, "vellumar-pattern: %s\n\n%s", wrong->c_str(), kMakeHelp);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    Progress progress;
    MakeReport report;
    std::string error;
    const std::optional<PatternFile> file =
        makePattern(args.input, args.options, report, error, [&](double f) { progress(f); });
    progress.clear();
    if (!file) {
        return fail(args.input, error);
    }
    if (!writeAtomically(args.output, serializePatternFile(*file), error)) {
        return fail(args.output, error);
    }
    const Cost cost = costSince(start);
    for (const std::string& note : report.notes) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", args.input.c_str(), note.c_str());
    }
    const auto measureStart = std::chrono::steady_clock::now();
    const auto loaded = loadPatternRecords(*file);
    if (!loaded) {
        std::remove(args.output.c_str());
        return fail(args.output, "the pattern made does not load back");
    }
    const Fidelity fidelity = measureFidelity(loaded->pattern, report.picture);
    printReport(args, report, *file, fidelity, cost, costSince(measureStart).seconds);
    // The pattern is kept even when it breaks a rule of `check`: it loads and
    // can be played, and the user hears which rule.
    for (const std::string& broken : checkFailures(loaded->pattern)) {
        std::fprintf(stderr, "vellumar-pattern: %s: check: %s\n", args.output.c_str(), broken.c_str());
    }
    return 0;
}
