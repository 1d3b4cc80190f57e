// `vellumar-pattern contact-sheet FOLDER -o SHEET.png`: every thumbnail of a
// folder with its name, in the order the chooser lists them, for reviewing a
// library at a glance.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/window_colour.h"
#include "platform/drawing/bitmap.h"
#include "platform/pixels/blit.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/system/files.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "tools/codecs/png_writer.h"
#include "platform/base/text.h"
#include "platform/drawing/text_renderer.h"
#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"

const char* const kContactSheetHelp =
    "usage: vellumar-pattern contact-sheet FOLDER -o SHEET.png [--columns N]\n"
    "\n"
    "Draws every NAME.bmp of the folder, loaded as the game loads thumbnails, centred in\n"
    "a cell on the chooser's background, with its name and, when NAME.mza lies beside\n"
    "it, its pieces and colours. Names are in the chooser's order (letter case ignored).\n"
    "\n"
    "  -o SHEET.png   the picture to write\n"
    "  --columns N    cells a row (default 6)\n";

namespace {

constexpr int kPadding = 8;
constexpr int kTextLine = 15;

struct Entry {
    std::string name;
    std::string caption;
    platform::Surface thumbnail;
};

std::string lower(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void drawLine(HDC dc, const std::string& text, int left, int top, int width) {
    const std::u16string wide = platform::utf8ToUtf16(text);
    RECT box{left, top, left + width, top + kTextLine};
    DrawText(dc, wide.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

struct Options {
    std::string folder;
    std::string output;
    int columns = 6;
};

// The command's options, or the exit code when they are wrong (having said why).
std::variant<Options, int> parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if ((a == "-o" || a == "--output") && hasValue) {
            options.output = arguments[++i];
        } else if (a == "--columns" && hasValue) {
            options.columns = std::atoi(arguments[++i].c_str());
            if (options.columns < 1 || options.columns > 64) {
                std::fputs("vellumar-pattern: contact-sheet: --columns wants 1 to 64\n", stderr);
                return 2;
            }
        } else if (options.folder.empty() && !a.empty() && a[0] != '-') {
            options.folder = a;
        } else {
            std::fprintf(stderr, "vellumar-pattern: contact-sheet: unexpected '%s'\n\n%s", a.c_str(),
                         kContactSheetHelp);
            return 2;
        }
    }
    if (options.folder.empty() || options.output.empty()) {
        std::fputs(kContactSheetHelp, stderr);
        return 2;
    }
    return options;
}

// The caption under a thumbnail: what the pattern beside it holds, if any.
std::string captionFor(std::filesystem::path pattern) {
    pattern.replace_extension(".mza");
    if (!std::filesystem::exists(pattern)) {
        return "no pattern";
    }
    const auto loaded = loadForCommand(pattern.string());
    return loaded ? std::to_string(loaded->pattern.pieceTotal) + " pieces, " +
                        std::to_string(loaded->pattern.colourCount) + " colours"
                  : "unreadable pattern";
}

// Every thumbnail of the folder, in the chooser's order; nothing (having said
// why) when one cannot be loaded or there is none.
std::optional<std::vector<Entry>> readEntries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<Entry> entries;
    std::error_code error;
    for (const fs::directory_entry& item : fs::directory_iterator(folder, error)) {
        const fs::path path = item.path();
        if (lower(path.extension().string()) != ".bmp") {
            continue;
        }
        const auto bytes = platform::readFileBytes(platform::utf8ToUtf16(path.string()).c_str(), 64u << 20);
        const HBITMAP bitmap = bytes ? platform::loadBitmap(*bytes) : nullptr;
        if (bitmap == nullptr) {
            std::fprintf(stderr, "vellumar-pattern: %s: not a bitmap the game can load\n",
                         path.string().c_str());
            return std::nullopt;
        }
        entries.push_back({path.stem().string(), captionFor(path), platform::bitmapSurface(bitmap)});
        DeleteObject(bitmap);
    }
    if (error || entries.empty()) {
        std::fprintf(stderr, "vellumar-pattern: %s: no thumbnails\n", folder.c_str());
        return std::nullopt;
    }
    std::ranges::sort(entries, [](const Entry& a, const Entry& b) { return lower(a.name) < lower(b.name); });
    return entries;
}

// The sheet: cells as large as the largest thumbnail, `columns` a row, each
// thumbnail centred in its cell over its name and caption.
platform::Surface drawSheet(const std::vector<Entry>& entries, int columns) {
    int cellWidth = 96, cellHeight = 128;
    for (const Entry& e : entries) {
        cellWidth = std::max(cellWidth, e.thumbnail.width());
        cellHeight = std::max(cellHeight, e.thumbnail.height());
    }
    cellWidth = std::max(cellWidth, 130);
    const int columnCount = std::min(columns, static_cast<int>(entries.size()));
    const int rows = (static_cast<int>(entries.size()) + columnCount - 1) / columnCount;
    const int pitchX = cellWidth + kPadding;
    const int pitchY = cellHeight + 2 * kTextLine + 2 * kPadding;
    platform::Surface sheet(columnCount * pitchX + kPadding, rows * pitchY + kPadding,
                            platform::pixelFromColour(kWindowColour));

    const HDC dc = platform::createSurfaceDC(sheet);
    const HFONT font = CreateFont(-12, FW_NORMAL, u"Arial");
    const HFONT previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const int left = kPadding + static_cast<int>(i % static_cast<std::size_t>(columnCount)) * pitchX;
        const int top = kPadding + static_cast<int>(i / static_cast<std::size_t>(columnCount)) * pitchY;
        platform::copyBlock(platform::wholeSurface(sheet), left + (cellWidth - e.thumbnail.width()) / 2,
                            top + (cellHeight - e.thumbnail.height()) / 2, e.thumbnail.width(),
                            e.thumbnail.height(), e.thumbnail, 0, 0);
        drawLine(dc, e.name, left, top + cellHeight + 2, cellWidth);
        drawLine(dc, e.caption, left, top + cellHeight + 2 + kTextLine, cellWidth);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return sheet;
}

}  // namespace

int runContactSheet(const std::vector<std::string>& arguments) {
    const auto parsed = parseOptions(arguments);
    if (const int* exitCode = std::get_if<int>(&parsed)) {
        return *exitCode;
    }
    const Options& options = std::get<Options>(parsed);
    const auto entries = readEntries(options.folder);
    if (!entries) {
        return 1;
    }
    if (!codecs::writePng(drawSheet(*entries, options.columns), options.output)) {
        std::fprintf(stderr, "vellumar-pattern: cannot write %s\n", options.output.c_str());
        return 1;
    }
    std::printf("%s: %zu thumbnails\n", options.output.c_str(), entries->size());
    return 0;
}
