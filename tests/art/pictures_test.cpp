// The pictures as the game sees them: loaded from the embedded resources
// through the game's own loader, then checked cell by cell.
#include "gfx/bitmap_loader.h"
#include "gfx/image.h"
#include "gfx/pixel.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using gfx::Image;
using gfx::Pixel;

constexpr int SHEET_H = 160;

// Sheet pixel at column x of line y, lines counted from the top as the atlas
// gives them; the image itself is stored bottom row first.
// Black where the image has no such pixel, as when the sheet failed to load.
Pixel sheetAt(const Image& sheet, int x, int y) {
    return gfx::imagePixelOrBlack(sheet, x, SHEET_H - 1 - y);
}

class Pictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        headless::reset();
        headless::setEchoMessages(false);
        sheet = gfx::loadBitmapImage(103, platform::programModule());
        backdrop = gfx::loadBitmapImage(105, platform::programModule());
        messages = headless::messageCount();
    }
    static void TearDownTestSuite() {
        gfx::releaseImage(sheet);
        gfx::releaseImage(backdrop);
    }

    static Pixel at(int x, int y) { return sheetAt(sheet, x, y); }

    static Image sheet;
    static Image backdrop;
    static int messages;
};

Image Pictures::sheet{};
Image Pictures::backdrop{};
int Pictures::messages = 0;

struct Cell {
    std::string name;
    int x, y, w, h; // from the top-left of the sheet
};

// Every picture the game draws, where the atlas puts it.
std::vector<Cell> drawnCells() {
    std::vector<Cell> cells;
    for (int c = 0; c < 3; ++c) {
        for (int pose = 0; pose < 6; ++pose) {
            const int f = 8 * c + pose;
            cells.push_back(
                {"witch frame " + std::to_string(f), 32 * (f % 8), 32 * (f / 8), 32, 32});
        }
        cells.push_back({"skeleton " + std::to_string(c), 32 * c, 128, 32, 32});
        cells.push_back({"lives icon " + std::to_string(c), 128 + 16 * c, 128, 16, 16});
    }
    cells.push_back({"small star", 96, 128, 16, 16});
    cells.push_back({"large star", 112, 128, 16, 16});
    for (int k = 0; k < 8; ++k) {
        cells.push_back({"orb " + std::to_string(k), 96 + 8 * (k % 4), 152 - 8 * (k / 4), 8, 8});
    }
    cells.push_back({"menu cursor", 128, 144, 16, 16});
    return cells;
}

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

TEST_F(Pictures, SheetAndBackdropLoadThroughTheGameLoaderWithTheirExactSizes) {
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(sheet.width, 256);
    EXPECT_EQ(sheet.height, 160);
    EXPECT_EQ(backdrop.width, 320);
    EXPECT_EQ(backdrop.height, 240);
    const platform::Module& module = platform::programModule();
    const struct {
        int id;
        platform::ResourceKind kind;
        std::size_t size;
        const char* file;
    } expected[] = {{103, platform::ResourceKind::Bitmap, 42024, "sprites.bmp"},
                    {105, platform::ResourceKind::Bitmap, 77864, "backdrop.bmp"},
                    {106, platform::ResourceKind::Icon, 616, "icon.bmp"}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.file);
        platform::ResourceBytes entry{};
        ASSERT_EQ(
            platform::loadResource(module, platform::findResource(module, e.id, e.kind), entry), 1);
        ASSERT_EQ(entry.size, e.size);
        // The program carries the committed file, less its 14-byte file header.
        const std::vector<unsigned char> file = readFile(std::string(SORVI_RES_DIR) + "/" + e.file);
        ASSERT_EQ(file.size(), e.size + 14);
        EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), entry.data));
    }
    // The icon: 32 by 32, 4 bits per pixel, 16 palette entries.
    platform::ResourceBytes icon{};
    ASSERT_EQ(platform::loadResource(
                  module, platform::findResource(module, 106, platform::ResourceKind::Icon), icon),
              1);
    EXPECT_EQ(le32(icon.data + 4), 32u);
    EXPECT_EQ(le32(icon.data + 8), 32u);
    EXPECT_EQ(icon.data[14], 4);
    EXPECT_EQ(le32(icon.data + 32), 16u);
}

int channelDistance(Pixel a, Pixel b) {
    return std::abs(gfx::redOf(a) - gfx::redOf(b)) + std::abs(gfx::greenOf(a) - gfx::greenOf(b)) +
           std::abs(gfx::blueOf(a) - gfx::blueOf(b));
}

// Mean colour difference between two columns of the backdrop.
double columnDifference(const Image& image, int a, int b) {
    long total = 0;
    for (int r = 0; r < image.height; ++r) {
        total +=
            channelDistance(image.pixels[r * image.width + a], image.pixels[r * image.width + b]);
    }
    return static_cast<double>(total) / image.height;
}

TEST_F(Pictures, BackdropWrapsAroundWithoutAVisibleSeam) {
    ASSERT_EQ(backdrop.width, 320);
    double largestInside = 0;
    for (int c = 0; c + 1 < 320; ++c) {
        largestInside = std::max(largestInside, columnDifference(backdrop, c, c + 1));
    }
    EXPECT_GT(largestInside, 0.0) << "a sky without any change is no sky";
    EXPECT_LE(columnDifference(backdrop, 319, 0), largestInside);
}

double luminance(int r, int g, int b) {
    const auto linear = [](int v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

TEST_F(Pictures, BackdropIsDarkEnoughForTheTextsAndStarsEverywhere) {
    double brightest = 0;
    for (int i = 0; i < backdrop.width * backdrop.height; ++i) {
        const Pixel p = backdrop.pixels[i];
        brightest = std::max(brightest, luminance(gfx::redOf(p), gfx::greenOf(p), gfx::blueOf(p)));
    }
    // The star's main yellow is the commonest colour of the large star.
    std::map<Pixel, int> starColours;
    for (int y = 128; y < 144; ++y) {
        for (int x = 112; x < 128; ++x) {
            if (at(x, y) != 0) {
                ++starColours[at(x, y)];
            }
        }
    }
    ASSERT_FALSE(starColours.empty());
    const Pixel star = std::max_element(starColours.begin(), starColours.end(), [](auto a, auto b) {
                           return a.second < b.second;
                       })->first;
    const struct {
        const char* what;
        double lum;
    } fronts[] = {{"peach text", luminance(250, 200, 180)},
                  {"mint text", luminance(200, 250, 180)},
                  {"star", luminance(gfx::redOf(star), gfx::greenOf(star), gfx::blueOf(star))}};
    for (const auto& f : fronts) {
        // Contrast ratio against the brightest spot of the sky.
        EXPECT_GE((f.lum + 0.05) / (brightest + 0.05), 3.0) << f.what;
    }
}

TEST_F(Pictures, EveryDrawnCellIsVisibleWithNoBlackHolesInsideItsOutline) {
    for (const Cell& cell : drawnCells()) {
        SCOPED_TRACE(cell.name);
        int visible = 0;
        // Black is transparent: black pixels that cannot be reached from the
        // cell's border through black (left, right, up, down) would be holes
        // showing the sky through the sprite.
        std::vector<char> reached(static_cast<std::size_t>(cell.w * cell.h), 0);
        std::vector<std::pair<int, int>> todo;
        for (int y = 0; y < cell.h; ++y) {
            for (int x = 0; x < cell.w; ++x) {
                const bool black = at(cell.x + x, cell.y + y) == 0;
                visible += black ? 0 : 1;
                if (black && (x == 0 || y == 0 || x == cell.w - 1 || y == cell.h - 1)) {
                    reached[y * cell.w + x] = 1;
                    todo.push_back({x, y});
                }
            }
        }
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            const int dx[] = {1, -1, 0, 0};
            const int dy[] = {0, 0, 1, -1};
            for (int d = 0; d < 4; ++d) {
                const int nx = x + dx[d];
                const int ny = y + dy[d];
                if (nx < 0 || ny < 0 || nx >= cell.w || ny >= cell.h || reached[ny * cell.w + nx] ||
                    at(cell.x + nx, cell.y + ny) != 0) {
                    continue;
                }
                reached[ny * cell.w + nx] = 1;
                todo.push_back({nx, ny});
            }
        }
        EXPECT_GE(visible, cell.w * cell.h / 8);
        std::string holes;
        for (int y = 0; y < cell.h; ++y) {
            for (int x = 0; x < cell.w; ++x) {
                if (at(cell.x + x, cell.y + y) == 0 && !reached[y * cell.w + x]) {
                    // Appended piece by piece: GCC 12 at -O2 warns falsely on the chain.
                    holes += ' ';
                    holes += std::to_string(cell.x + x);
                    holes += ',';
                    holes += std::to_string(cell.y + y);
                }
            }
        }
        EXPECT_EQ(holes, "") << "black pixels enclosed by the sprite";
    }
}

TEST_F(Pictures, EachOrbIsMostlyItsOwnMainColour) {
    const Pixel main[8] = {gfx::makePixel(64, 144, 255),  gfx::makePixel(159, 255, 111),
                           gfx::makePixel(255, 255, 64),  gfx::makePixel(255, 175, 63),
                           gfx::makePixel(239, 32, 176),  gfx::makePixel(255, 111, 95),
                           gfx::makePixel(175, 239, 255), gfx::makePixel(192, 79, 255)};
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE("orb " + std::to_string(k));
        std::map<Pixel, int> count;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const Pixel p = at(96 + 8 * (k % 4) + x, 152 - 8 * (k / 4) + y);
                if (p != 0) {
                    ++count[p];
                }
            }
        }
        const auto commonest = std::max_element(count.begin(), count.end(),
                                                [](auto a, auto b) { return a.second < b.second; });
        ASSERT_NE(commonest, count.end());
        EXPECT_EQ(commonest->first, main[k]);
        EXPECT_GE(count.size(), 3u) << "shaded, not flat";
    }
}

// The slope, in degrees, of the principal axis of a witch frame's lower part
// (broom, skirt and boots, lines 14 to 31): positive when the broom's front
// end points up.
double broomSlope(const Image& sheet, int frame) {
    const int x0 = 32 * (frame % 8);
    const int y0 = 32 * (frame / 8);
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int y = 14; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (sheetAt(sheet, x0 + x, y0 + y) != 0) {
                const double up = 31 - y;
                n += 1;
                sx += x;
                sy += up;
                sxx += x * x;
                syy += up * up;
                sxy += x * up;
            }
        }
    }
    if (n == 0) {
        return 0;
    }
    const double vx = sxx / n - (sx / n) * (sx / n);
    const double vy = syy / n - (sy / n) * (sy / n);
    const double cxy = sxy / n - (sx / n) * (sy / n);
    return 0.5 * std::atan2(2 * cxy, vx - vy) * 180 / 3.14159265358979;
}

TEST_F(Pictures, WitchPosesTiltWithTheControlsAndTheirPhasesDiffer) {
    for (int c = 0; c < 3; ++c) {
        for (int phase = 0; phase < 2; ++phase) {
            SCOPED_TRACE("character " + std::to_string(c) + ", phase " + std::to_string(phase));
            const int level = 8 * c + phase;
            EXPECT_GT(broomSlope(sheet, level + 4), broomSlope(sheet, level) + 3)
                << "climbing lifts her broom";
            EXPECT_LT(broomSlope(sheet, level + 2), broomSlope(sheet, level) - 3)
                << "sinking dips it";
        }
        for (int pose = 0; pose < 3; ++pose) {
            const int f = 8 * c + 2 * pose;
            int differing = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    differing += at(32 * (f % 8) + x, 32 * (f / 8) + y) !=
                                 at(32 * ((f + 1) % 8) + x, 32 * ((f + 1) / 8) + y);
                }
            }
            EXPECT_GE(differing, 12) << "frames " << f << " and " << f + 1 << " hardly differ";
        }
    }
}

} // namespace
