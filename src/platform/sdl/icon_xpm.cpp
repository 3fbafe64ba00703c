// Build helper: turns the window icon (res/icon.bmp, resource 106) into
// the XPM picture that desktops show for the installed game.
//
//   sorvi-icon-xpm ICON_BMP OUTPUT_XPM
#include "shell/icon.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr char SYMBOLS[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvi-icon-xpm: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return fail("usage: sorvi-icon-xpm ICON_BMP OUTPUT_XPM");
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    shell::IconPixels pixels{};
    if (bytes.size() <= FILE_HEADER_BYTES ||
        shell::decodeIcon(bytes.data() + FILE_HEADER_BYTES, bytes.size() - FILE_HEADER_BYTES,
                          pixels) == 0) {
        return fail(std::string(argv[1]) + " is not a 32 by 32 palette icon");
    }
    std::vector<std::uint32_t> colours;
    for (const std::uint32_t p : pixels) {
        bool known = false;
        for (const std::uint32_t c : colours) {
            known = known || c == p;
        }
        if (!known) {
            colours.push_back(p);
        }
    }
    if (colours.size() > sizeof SYMBOLS - 1) {
        return fail("too many colours");
    }
    const int side = platform::ICON_SIZE;
    std::string out = "/* XPM */\nstatic const char* sorvi_kadra99[] = {\n";
    char values[48];
    std::snprintf(values, sizeof values, "\"%d %d %zu 1\",\n", side, side, colours.size());
    out += values;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        char line[32];
        if ((colours[i] >> 24) == 0) {
            std::snprintf(line, sizeof line, "\"%c c None\",\n", SYMBOLS[i]);
        } else {
            std::snprintf(line, sizeof line, "\"%c c #%06X\",\n", SYMBOLS[i],
                          colours[i] & 0xFFFFFFu);
        }
        out += line;
    }
    for (int row = 0; row < side; ++row) {
        out += "\"";
        for (int column = 0; column < side; ++column) {
            const std::uint32_t p = pixels[row * side + column];
            std::size_t index = 0;
            while (colours[index] != p) {
                ++index;
            }
            out += SYMBOLS[index];
        }
        out += row + 1 < side ? "\",\n" : "\"\n";
    }
    out += "};\n";
    std::ofstream file(argv[2]);
    file << out;
    return file ? 0 : fail(std::string("cannot write ") + argv[2]);
}
