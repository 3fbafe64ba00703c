#include "picture_source.h"

#include <fstream>
#include <map>
#include <sstream>

namespace artgen {
namespace {

constexpr long long FIXED_ONE = 1 << 16;

struct Reader {
    std::vector<std::string> lines;
    std::string name;
    std::size_t next = 0; // index of the next unread line

    [[noreturn]] void fail(const std::string& message) const {
        throw ArtError(name + ":" + std::to_string(next) + ": " + message);
    }
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        out.push_back(word);
    }
    return out;
}

int number(const Reader& reader, const std::string& word, int low, int high) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {
        reader.fail("'" + word + "' is not a number");
    }
    if (used != word.size()) {
        reader.fail("'" + word + "' is not a number");
    }
    if (value < low || value > high) {
        reader.fail(word + " is outside " + std::to_string(low) + " .. " + std::to_string(high));
    }
    return value;
}

void expectWords(const Reader& reader, const std::vector<std::string>& w, std::size_t least) {
    if (w.size() < least) {
        reader.fail("'" + w[0] + "' needs " + std::to_string(least - 1) + " values");
    }
}

// The rectangle whose left, top, width and height are the four words given.
Rect readRect(const Reader& reader, const Canvas& canvas, const std::string& x,
              const std::string& y, const std::string& w, const std::string& h) {
    const Rect r{number(reader, x, 0, canvas.width - 1), number(reader, y, 0, canvas.height - 1),
                 number(reader, w, 1, canvas.width), number(reader, h, 1, canvas.height)};
    if (r.x + r.w > canvas.width || r.y + r.h > canvas.height) {
        reader.fail("rectangle reaches outside the " + std::to_string(canvas.width) + " by " +
                    std::to_string(canvas.height) + " picture");
    }
    return r;
}

void claim(const Reader& reader, PaintedAreas& painted, const Rect& r) {
    for (const Rect& o : painted.rects) {
        if (r.x < o.x + o.w && o.x < r.x + r.w && r.y < o.y + o.h && o.y < r.y + r.h) {
            reader.fail("rectangle at " + std::to_string(r.x) + "," + std::to_string(r.y) +
                        " overlaps the one painted at " + std::to_string(o.x) + "," +
                        std::to_string(o.y));
        }
    }
    painted.rects.push_back(r);
}

// The next `rows` lines, each exactly `width` characters wide.
std::vector<std::string> readGrid(Reader& reader, int width, int rows) {
    std::vector<std::string> grid;
    for (int i = 0; i < rows; ++i) {
        if (reader.next >= reader.lines.size()) {
            reader.fail("grid ends after " + std::to_string(i) + " of " + std::to_string(rows) +
                        " rows");
        }
        const std::string& row = reader.lines[reader.next++];
        if (static_cast<int>(row.size()) != width) {
            reader.fail("grid row is " + std::to_string(row.size()) + " wide instead of " +
                        std::to_string(width));
        }
        grid.push_back(row);
    }
    return grid;
}

Rgb readColour(const Reader& reader, const std::vector<std::string>& w, std::size_t first) {
    const Rgb c{static_cast<std::uint8_t>(number(reader, w[first], 0, 255)),
                static_cast<std::uint8_t>(number(reader, w[first + 1], 0, 255)),
                static_cast<std::uint8_t>(number(reader, w[first + 2], 0, 255))};
    if (isTransparent(c)) {
        reader.fail("pure black is the transparent colour; use a near-black such as 20 16 32");
    }
    return c;
}

Rgb legendColour(const Reader& reader, const std::map<char, Rgb>& legend, char letter) {
    const auto found = legend.find(letter);
    if (found == legend.end()) {
        reader.fail(std::string("letter '") + letter + "' is not in the legend");
    }
    return found->second;
}

long long isqrt(unsigned long long n) {
    unsigned long long root = 0;
    unsigned long long bit = 1ull << 62;
    while (bit > n) {
        bit >>= 2;
    }
    while (bit != 0) {
        if (n >= root + bit) {
            n -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<long long>(root);
}

// Turns a picture about the pixel (cx, cy) by three shears (x, y, x). Each
// shear only slides whole rows or columns, so every pixel lands on exactly
// one place and no colour is blended: pixel art stays crisp. Pixels near the
// centre do not move at all, so the centre is best put on the face.
void tilt(const Reader& reader, Canvas& canvas, const Rect& from, int toX, int toY, int cx, int cy,
          int p, int q) {
    const long long r = isqrt(static_cast<unsigned long long>(p * p + q * q) << 32);
    const long long sine = roundDiv(p * FIXED_ONE * FIXED_ONE, r);
    const long long halfTangent = roundDiv(p * FIXED_ONE * FIXED_ONE, q * FIXED_ONE + r);
    const auto slide = [](long long factor, long long across) {
        return roundDiv(factor * across, FIXED_ONE);
    };
    std::vector<Rgb> turned(static_cast<std::size_t>(from.w) * from.h, TRANSPARENT);
    for (int y = 0; y < from.h; ++y) {
        for (int x = 0; x < from.w; ++x) {
            const Rgb c = canvas.at(from.x + x, from.y + y);
            if (isTransparent(c)) {
                continue;
            }
            const long long u = x - cx;
            const long long v = cy - y; // upward
            const long long u1 = u - slide(halfTangent, v);
            const long long v2 = v + slide(sine, u1);
            const long long u3 = u1 - slide(halfTangent, v2);
            const long long nx = cx + u3;
            const long long ny = cy - v2;
            if (nx < 0 || ny < 0 || nx >= from.w || ny >= from.h) {
                reader.fail("turning moves the pixel at " + std::to_string(x) + "," +
                            std::to_string(y) + " out of the cell");
            }
            turned[static_cast<std::size_t>(ny) * from.w + nx] = c;
        }
    }
    for (int y = 0; y < from.h; ++y) {
        for (int x = 0; x < from.w; ++x) {
            canvas.at(toX + x, toY + y) = turned[static_cast<std::size_t>(y) * from.w + x];
        }
    }
}

void outline(Canvas& canvas, const Rect& r, Rgb colour) {
    const Canvas before = canvas;
    const auto visible = [&](int x, int y) {
        return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h &&
               !isTransparent(before.at(x, y));
    };
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            if (!visible(x, y) && (visible(x - 1, y) || visible(x + 1, y) || visible(x, y - 1) ||
                                   visible(x, y + 1))) {
                canvas.at(x, y) = colour;
            }
        }
    }
}

std::uint8_t towards(int from, int to, int num, int den) {
    return static_cast<std::uint8_t>(from + roundDiv((to - from) * num, den));
}

Rgb tone(char t, Rgb main) {
    const auto mix = [main](int to, int num, int den) {
        return Rgb{towards(main.r, to, num, den), towards(main.g, to, num, den),
                   towards(main.b, to, num, den)};
    };
    switch (t) {
    case 'w':
        return mix(255, 3, 4);
    case 'l':
        return mix(255, 2, 5);
    case 's':
        return mix(0, 1, 4);
    case 'd':
        return mix(0, 1, 2);
    default:
        return main;
    }
}

// One source file being painted: where its lines are read, what it paints
// on, and the legend and shading it has given so far.
struct Source {
    Reader reader;
    Canvas& canvas;
    PaintedAreas& painted;
    std::map<char, Rgb> legend;
    std::vector<std::string> shading;
};

using Words = std::vector<std::string>;

void addColour(Source& src, const Words& w) {
    expectWords(src.reader, w, 5);
    if (w[1].size() != 1 || w[1][0] == '.' || w[1][0] == '-' || w[1][0] == '#') {
        src.reader.fail("a legend letter is one character other than '.', '-' and '#'");
    }
    if (src.legend.count(w[1][0]) != 0) {
        src.reader.fail(std::string("legend letter '") + w[1][0] + "' is given twice");
    }
    src.legend[w[1][0]] = readColour(src.reader, w, 2);
}

// Paints the grid that follows into `r`: '.' keeps a pixel, '-' (where
// allowed) makes it transparent, any other letter comes from the legend.
void paintGrid(Source& src, const Rect& r, bool mayErase) {
    const std::vector<std::string> grid = readGrid(src.reader, r.w, r.h);
    for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x) {
            const char letter = grid[y][x];
            if (letter == '.') {
                continue;
            }
            src.canvas.at(r.x + x, r.y + y) = letter == '-' && mayErase
                                                  ? TRANSPARENT
                                                  : legendColour(src.reader, src.legend, letter);
        }
    }
}

void paintCell(Source& src, const Words& w) {
    expectWords(src.reader, w, 5);
    const Rect r = readRect(src.reader, src.canvas, w[1], w[2], w[3], w[4]);
    claim(src.reader, src.painted, r);
    paintGrid(src, r, false);
}

void paintTilt(Source& src, const Words& w) {
    expectWords(src.reader, w, 14);
    if (w[3] != "from" || w[6] != "size" || w[9] != "turn" || w[11] != "about") {
        src.reader.fail("expected: tilt X Y from SX SY size W H turn P/Q about CX CY");
    }
    const Rect from = readRect(src.reader, src.canvas, w[4], w[5], w[7], w[8]);
    const Rect to = readRect(src.reader, src.canvas, w[1], w[2], w[7], w[8]);
    const std::size_t slash = w[10].find('/');
    if (slash == std::string::npos) {
        src.reader.fail("the turn is written P/Q");
    }
    const int p = number(src.reader, w[10].substr(0, slash), -64, 64);
    const int q = number(src.reader, w[10].substr(slash + 1), 1, 64);
    const int cx = number(src.reader, w[12], 0, from.w - 1);
    const int cy = number(src.reader, w[13], 0, from.h - 1);
    claim(src.reader, src.painted, to);
    tilt(src.reader, src.canvas, from, to.x, to.y, cx, cy, p, q);
}

void paintPatch(Source& src, const Words& w) {
    expectWords(src.reader, w, 5);
    const Rect r = readRect(src.reader, src.canvas, w[1], w[2], w[3], w[4]);
    bool inside = false;
    for (const Rect& o : src.painted.rects) {
        inside = inside ||
                 (r.x >= o.x && r.y >= o.y && r.x + r.w <= o.x + o.w && r.y + r.h <= o.y + o.h);
    }
    if (!inside) {
        src.reader.fail("a patch must lie inside one picture painted before it");
    }
    paintGrid(src, r, true);
}

void paintOutline(Source& src, const Words& w) {
    expectWords(src.reader, w, 6);
    const Rect r = readRect(src.reader, src.canvas, w[1], w[2], w[3], w[4]);
    if (w[5].size() != 1) {
        src.reader.fail("outline colour '" + w[5] + "' is not a legend letter");
    }
    outline(src.canvas, r, legendColour(src.reader, src.legend, w[5][0]));
}

void readShading(Source& src, const Words& w) {
    expectWords(src.reader, w, 3);
    const int width = number(src.reader, w[1], 1, src.canvas.width);
    const int height = number(src.reader, w[2], 1, src.canvas.height);
    src.shading = readGrid(src.reader, width, height);
    for (const std::string& row : src.shading) {
        if (row.find_first_not_of(".wlosd") != std::string::npos) {
            src.reader.fail("shading rows hold only the tones w l o s d and '.'");
        }
    }
}

void paintBall(Source& src, const Words& w) {
    expectWords(src.reader, w, 6);
    if (src.shading.empty()) {
        src.reader.fail("'ball' needs a 'shading' before it");
    }
    const int width = static_cast<int>(src.shading[0].size());
    const int height = static_cast<int>(src.shading.size());
    const Rect r =
        readRect(src.reader, src.canvas, w[1], w[2], std::to_string(width), std::to_string(height));
    const Rgb main = readColour(src.reader, w, 3);
    claim(src.reader, src.painted, r);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (src.shading[y][x] == '.') {
                continue;
            }
            const Rgb c = tone(src.shading[y][x], main);
            if (isTransparent(c)) {
                src.reader.fail("this main colour shades into pure black");
            }
            src.canvas.at(r.x + x, r.y + y) = c;
        }
    }
}

} // namespace

std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw ArtError(path + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void paintSourceFile(const std::string& path, Canvas& canvas, PaintedAreas& painted) {
    paintSourceText(readTextFile(path), path, canvas, painted);
}

void paintSourceText(const std::string& text, const std::string& name, Canvas& canvas,
                     PaintedAreas& painted) {
    Source src{Reader{splitLines(text), name}, canvas, painted, {}, {}};
    while (src.reader.next < src.reader.lines.size()) {
        const std::vector<std::string> w = words(src.reader.lines[src.reader.next++]);
        if (w.empty() || w[0][0] == '#') {
            continue;
        }
        if (w[0] == "colour") {
            addColour(src, w);
        } else if (w[0] == "cell") {
            paintCell(src, w);
        } else if (w[0] == "tilt") {
            paintTilt(src, w);
        } else if (w[0] == "patch") {
            paintPatch(src, w);
        } else if (w[0] == "outline") {
            paintOutline(src, w);
        } else if (w[0] == "shading") {
            readShading(src, w);
        } else if (w[0] == "ball") {
            paintBall(src, w);
        } else {
            src.reader.fail("unknown directive '" + w[0] + "'");
        }
    }
}

} // namespace artgen
