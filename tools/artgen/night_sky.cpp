#include "night_sky.h"

#include "canvas.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <vector>

namespace artgen {
namespace {

constexpr int NOISE_ONE = 65536; // noise values and fractions are 16-bit fixed point

struct Octave {
    int xSpacing, ySpacing, weight;
};

struct RampKey {
    int level;
    Rgb colour;
};

struct SkySettings {
    std::uint32_t seed = 0;
    std::vector<RampKey> ramp;
    std::vector<Octave> octaves;
    int skyTop = 0, skyBottom = 0;
    int coverTop = 500, coverBottom = 500;
    int softness = 200;
    int cloudLevels = 100;
    int lightReach = 2, lightStrength = 0, edgeStrength = 0;
    int speckCount = 0, speckLevel = 0;
};

std::uint32_t mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

std::uint32_t hash(std::uint32_t seed, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    return mix(seed ^ mix(a * 0x9E3779B1u ^ mix(b * 0x85EBCA77u ^ mix(c * 0xC2B2AE3Du))));
}

// Smooth 0 .. NOISE_ONE ease of a fraction t of NOISE_ONE: 3t^2 - 2t^3.
long long ease(long long t) {
    return t * t / NOISE_ONE * (3 * NOISE_ONE - 2 * t) / NOISE_ONE;
}

long long lerp(long long a, long long b, long long t) {
    return a + (b - a) * t / NOISE_ONE;
}

// Value noise, 0 .. NOISE_ONE - 1; lattice columns repeat every width/xs.
long long valueNoise(const SkySettings& s, int octave, int x, int y) {
    const Octave& o = s.octaves[static_cast<std::size_t>(octave)];
    const int columns = SKY_WIDTH / o.xSpacing;
    const int i = x / o.xSpacing;
    const int j = y / o.ySpacing;
    const long long tx = ease(static_cast<long long>(x % o.xSpacing) * NOISE_ONE / o.xSpacing);
    const long long ty = ease(static_cast<long long>(y % o.ySpacing) * NOISE_ONE / o.ySpacing);
    const auto at = [&](int ci, int cj) {
        const auto column = static_cast<std::uint32_t>(ci % columns);
        return static_cast<long long>(hash(s.seed, static_cast<std::uint32_t>(octave), column,
                                           static_cast<std::uint32_t>(cj)) >>
                                      16);
    };
    const long long top = lerp(at(i, j), at(i + 1, j), tx);
    const long long bottom = lerp(at(i, j + 1), at(i + 1, j + 1), tx);
    return lerp(top, bottom, ty);
}

// Layered noise scaled to 0 .. 1000.
int layeredNoise(const SkySettings& s, int x, int y) {
    long long sum = 0;
    long long weights = 0;
    for (std::size_t o = 0; o < s.octaves.size(); ++o) {
        sum += valueNoise(s, static_cast<int>(o), x, y) * s.octaves[o].weight;
        weights += s.octaves[o].weight;
    }
    return static_cast<int>(sum * 1000 / (weights * NOISE_ONE));
}

int between(int top, int bottom, int y) {
    return top +
           static_cast<int>(roundDiv(static_cast<long long>(bottom - top) * y, SKY_HEIGHT - 1));
}

// Cloud thickness 0 .. 1000 at a pixel; rows above the picture count as clear.
int noiseAt(const std::vector<int>& noise, int x, int y) {
    return noise[static_cast<std::size_t>(std::max(y, 0)) * SKY_WIDTH + x];
}

int cloud(const SkySettings& s, const std::vector<int>& noise, int x, int y) {
    if (y < 0) {
        return 0;
    }
    const int cover = between(s.coverTop, s.coverBottom, y);
    const int n = noise[static_cast<std::size_t>(y) * SKY_WIDTH + x];
    return std::clamp((n - cover) * 1000 / s.softness, 0, 1000);
}

std::vector<Rgb> rampPalette(const SkySettings& s) {
    std::vector<Rgb> palette;
    for (int level = 0; level < 256; ++level) {
        std::size_t k = 0;
        while (s.ramp[k + 1].level < level) {
            ++k;
        }
        const RampKey& a = s.ramp[k];
        const RampKey& b = s.ramp[k + 1];
        const int span = b.level - a.level;
        const int t = level - a.level;
        const auto channel = [&](std::uint8_t from, std::uint8_t to) {
            return static_cast<std::uint8_t>(from + roundDiv((to - from) * t, span));
        };
        palette.push_back(Rgb{channel(a.colour.r, b.colour.r), channel(a.colour.g, b.colour.g),
                              channel(a.colour.b, b.colour.b)});
    }
    return palette;
}

SkySettings readSettings(const std::string& text, const std::string& name) {
    SkySettings s;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream in(line);
        std::string what;
        if (!(in >> what) || what[0] == '#') {
            continue;
        }
        const auto fail = [&](const std::string& message) {
            throw ArtError(name + ":" + std::to_string(lineNumber) + ": " + message);
        };
        std::vector<long long> v;
        long long value = 0;
        while (in >> value) {
            v.push_back(value);
        }
        if (!in.eof()) {
            fail("'" + what + "' takes whole numbers only");
        }
        const auto need = [&](std::size_t count, long long low, long long high) {
            if (v.size() != count) {
                fail("'" + what + "' takes " + std::to_string(count) + " numbers");
            }
            for (long long n : v) {
                if (n < low || n > high) {
                    fail("'" + what + "' value " + std::to_string(n) + " is outside " +
                         std::to_string(low) + " .. " + std::to_string(high));
                }
            }
        };
        if (what == "seed") {
            need(1, 0, 0xFFFFFFFFll);
            s.seed = static_cast<std::uint32_t>(v[0]);
        } else if (what == "ramp") {
            need(4, 0, 255);
            const int level = static_cast<int>(v[0]);
            if ((s.ramp.empty() && level != 0) ||
                (!s.ramp.empty() && level <= s.ramp.back().level)) {
                fail("ramp keys start at level 0 and rise");
            }
            s.ramp.push_back(
                {level, Rgb{static_cast<std::uint8_t>(v[1]), static_cast<std::uint8_t>(v[2]),
                            static_cast<std::uint8_t>(v[3])}});
        } else if (what == "octave") {
            need(3, 1, SKY_WIDTH);
            if (SKY_WIDTH % v[0] != 0) {
                fail("an octave's x spacing must divide " + std::to_string(SKY_WIDTH) +
                     " so that the sky wraps around");
            }
            s.octaves.push_back(
                {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])});
        } else if (what == "sky") {
            need(2, 0, 255);
            s.skyTop = static_cast<int>(v[0]);
            s.skyBottom = static_cast<int>(v[1]);
        } else if (what == "cover") {
            need(2, 0, 1000);
            s.coverTop = static_cast<int>(v[0]);
            s.coverBottom = static_cast<int>(v[1]);
        } else if (what == "softness") {
            need(1, 1, 1000);
            s.softness = static_cast<int>(v[0]);
        } else if (what == "clouds") {
            need(1, 0, 255);
            s.cloudLevels = static_cast<int>(v[0]);
        } else if (what == "light") {
            need(3, 0, 255);
            if (v[0] == 0) {
                fail("light reach must be at least 1 row");
            }
            s.lightReach = static_cast<int>(v[0]);
            s.edgeStrength = static_cast<int>(v[1]);
            s.lightStrength = static_cast<int>(v[2]);
        } else if (what == "specks") {
            need(2, 0, 255);
            s.speckCount = static_cast<int>(v[0]);
            s.speckLevel = static_cast<int>(v[1]);
        } else {
            fail("unknown setting '" + what + "'");
        }
    }
    if (s.ramp.size() < 2 || s.ramp.back().level != 255) {
        throw ArtError(name + ": the ramp needs keys at levels 0 and 255");
    }
    if (s.octaves.empty()) {
        throw ArtError(name + ": the sky needs at least one octave");
    }
    return s;
}

} // namespace

IndexedPicture makeNightSky(const std::string& settings, const std::string& name) {
    const SkySettings s = readSettings(settings, name);
    std::vector<int> noise(static_cast<std::size_t>(SKY_WIDTH) * SKY_HEIGHT);
    for (int y = 0; y < SKY_HEIGHT; ++y) {
        for (int x = 0; x < SKY_WIDTH; ++x) {
            noise[static_cast<std::size_t>(y) * SKY_WIDTH + x] = layeredNoise(s, x, y);
        }
    }
    // A 4 by 4 ordered dither spreads the fractions of a level; 4 divides the
    // width, so the pattern wraps as seamlessly as the noise.
    static constexpr int BAYER[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    IndexedPicture p = makePicture(SKY_WIDTH, SKY_HEIGHT);
    p.palette = rampPalette(s);
    for (int y = 0; y < SKY_HEIGHT; ++y) {
        for (int x = 0; x < SKY_WIDTH; ++x) {
            const int here = cloud(s, noise, x, y);
            const int above = cloud(s, noise, x, y - s.lightReach);
            // Levels in sixteenths, so the dither has fractions to spread.
            long long level = between(s.skyTop, s.skyBottom, y) * 16ll;
            level += roundDiv(static_cast<long long>(here) * s.cloudLevels * 16, 1000);
            // Moonlight from above picks out the bumps of the noise inside the
            // cloud as well as its edges.
            const long long rise = noiseAt(noise, x, y) - noiseAt(noise, x, y - s.lightReach);
            level += roundDiv(static_cast<long long>(here - above) * s.edgeStrength * 16, 1000);
            level += roundDiv(rise * s.lightStrength * here * 16, 100ll * 1000);
            level += BAYER[y % 4][x % 4];
            p.at(x, y) = static_cast<std::uint8_t>(std::clamp(level / 16, 0ll, 255ll));
        }
    }
    for (int k = 0; k < s.speckCount; ++k) {
        const std::uint32_t h = hash(s.seed, 0xFFFFu, static_cast<std::uint32_t>(k), 7u);
        const int x = static_cast<int>(h % SKY_WIDTH);
        const int y = static_cast<int>((h >> 9) % SKY_HEIGHT);
        if (cloud(s, noise, x, y) == 0) {
            const int glow = static_cast<int>((h >> 24) % 4) * 12; // some nearer than others
            p.at(x, y) = static_cast<std::uint8_t>(std::min(255, s.speckLevel + glow));
        }
    }
    return p;
}

} // namespace artgen
