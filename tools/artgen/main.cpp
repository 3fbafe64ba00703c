// Makes the game's bitmaps from the art sources.
//
//   sorvi-artgen SOURCE_DIR OUTPUT_DIR
//
// SOURCE_DIR holds sheet/*.txt (pixel art of the sprite sheet, painted in
// the order of their names), backdrop.txt (the night sky's settings) and
// icon.txt (the window icon). Writes sprites.bmp, backdrop.bmp and icon.bmp
// into OUTPUT_DIR, or nothing at all when a source has a fault. The files in
// res/ are this program's output; a test checks that they still are.
#include "bmp_writer.h"
#include "canvas.h"
#include "night_sky.h"
#include "picture_source.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace artgen;

constexpr int SHEET_WIDTH = 256;
constexpr int SHEET_HEIGHT = 160;
constexpr int SHEET_CELL = 32;
constexpr int ICON_SIZE = 32;

std::vector<std::string> sheetSources(const std::string& dir) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            paths.push_back(entry.path().string());
        }
    }
    if (error || paths.empty()) {
        throw ArtError(dir + ": no sheet sources (*.txt) found");
    }
    std::sort(paths.begin(), paths.end()); // the palette's order follows the files' order
    return paths;
}

IndexedPicture makeSheet(const std::string& dir) {
    Canvas sheet = makeCanvas(SHEET_WIDTH, SHEET_HEIGHT);
    PaintedAreas painted;
    for (const std::string& path : sheetSources(dir)) {
        paintSourceFile(path, sheet, painted);
    }
    // The game addresses the sheet by its grid, so no picture may straddle
    // two cells of it.
    for (const Rect& r : painted.rects) {
        if (r.x / SHEET_CELL != (r.x + r.w - 1) / SHEET_CELL ||
            r.y / SHEET_CELL != (r.y + r.h - 1) / SHEET_CELL) {
            throw ArtError(dir + ": the picture at " + std::to_string(r.x) + "," +
                           std::to_string(r.y) + " straddles two cells of the sheet's grid");
        }
    }
    return toIndexed(sheet, 256);
}

IndexedPicture makeIcon(const std::string& path) {
    Canvas icon = makeCanvas(ICON_SIZE, ICON_SIZE);
    PaintedAreas painted;
    paintSourceFile(path, icon, painted);
    return toIndexed(icon, 16);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sorvi-artgen SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string output = argv[2];
    std::vector<std::uint8_t> sprites, backdrop, icon;
    try {
        sprites = encodeBmp8(makeSheet(source + "/sheet"));
        const std::string skyPath = source + "/backdrop.txt";
        backdrop = encodeBmp8(makeNightSky(readTextFile(skyPath), skyPath));
        icon = encodeBmp4(makeIcon(source + "/icon.txt"));
    } catch (const ArtError& error) {
        std::fprintf(stderr, "sorvi-artgen: %s\n", error.what());
        return 1;
    }
    const bool ok = writeFile(output + "/sprites.bmp", sprites) &&
                    writeFile(output + "/backdrop.bmp", backdrop) &&
                    writeFile(output + "/icon.bmp", icon);
    if (!ok) {
        std::fprintf(stderr, "sorvi-artgen: cannot write into %s\n", output.c_str());
        return 1;
    }
    return 0;
}
