#include "trace.h"

#include "game/field.h"
#include "game/random.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "input/controls.h"
#include "input/keyboard.h"

#include <algorithm>
#include <cstdarg>

namespace replay {
namespace {

// A fixed line buffer: a trace line is a few kilobytes at most.
struct Line {
    char text[32768];
    std::size_t length = 0;

    void add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        std::va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(text + length, sizeof text - length, format, args);
        va_end(args);
        if (n > 0) {
            length = std::min(sizeof text - 1, length + static_cast<std::size_t>(n));
        }
    }
    // %.9g reads back as exactly the stored single-precision value.
    void number(float value) { add("%.9g", static_cast<double>(value)); }
};

void addWitch(Line& line, const game::Witch& w) {
    line.add("{\"character\":%d,\"x\":", w.character);
    line.number(w.x);
    line.add(",\"y\":");
    line.number(w.y);
    line.add(",\"vx\":");
    line.number(w.vx);
    line.add(",\"vy\":");
    line.number(w.vy);
    line.add(",\"frame\":%d,\"orientation\":%d,\"acceleration\":", w.frame, w.orientation);
    line.number(w.acceleration);
    line.add(",\"friction\":");
    line.number(w.friction);
    line.add(
        ",\"stateTimer\":%d,\"flashCount\":%d,\"animPhase\":%d,\"animCount\":%d,\"orbCounts\":[",
        w.stateTimer, w.flashCount, w.animPhase, w.animCount);
    for (int j = 0; j < game::ORB_COLOURS; ++j) {
        line.add("%s%d", j == 0 ? "" : ",", w.orbCounts[j]);
    }
    line.add("],\"fullSet\":%d,\"lives\":%d}", w.fullSet, w.lives);
}

void addFieldObject(Line& line, bool& first, int index, float x, float y, float speed) {
    line.add("%s[%d,", first ? "" : ",", index);
    line.number(x);
    line.add(",");
    line.number(y);
    line.add(",");
    line.number(speed);
    first = false;
}

} // namespace

std::uint64_t hashFramebuffer(const gfx::Pixel* pixels) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < gfx::FRAME_PIXELS * sizeof(gfx::Pixel); ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void writeTrace(std::FILE* out, long frame, const gfx::Pixel* pixels) {
    static Line line;
    line.length = 0;
    line.add("{\"frame\":%ld,\"gameState\":%d,\"cursor\":%d,\"score\":%d,\"hiscore\":%d,"
             "\"playFrameCount\":%d,\"starSpawnDivisor\":%d,\"orbSpawnDivisor\":%d,"
             "\"magicFrameCount\":%d,\"randomSeed\":%u,\"backdropOffset\":%d,"
             "\"starAnim\":[%d,%d],\"magicAnim\":[%d,%d],\"slots\":[",
             frame, game::gameState, game::cursor, game::score, game::hiscore, game::playFrameCount,
             game::starSpawnDivisor, game::orbSpawnDivisor, game::magicFrameCount, game::randomSeed,
             gfx::backdropOffset, game::starAnimCount, game::starAnimPhase, game::magicAnimCount,
             game::magicAnimPhase);
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        const game::PlayerSlot& s = game::playerSlots[i];
        line.add("%s[%d,%d,%d]", i == 0 ? "" : ",", s.active, s.character, s.scheme);
    }
    line.add("],\"edges\":{");
    bool first = true;
    for (int key = 0; key < 256; ++key) {
        if (input::KeyEdgeTable[key] != 0) {
            line.add("%s\"%d\":%d", first ? "" : ",", key, input::KeyEdgeTable[key]);
            first = false;
        }
    }
    line.add("},\"controls\":[");
    for (int i = 0; i < input::CONTROL_SLOTS; ++i) {
        const input::ControlState& c = input::controlStates[i];
        line.add("%s[%d,%d,%d,%d,%d,%d]", i == 0 ? "" : ",", c.up, c.down, c.left, c.right, c.maho,
                 c.second);
    }
    line.add("],\"witches\":[");
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        line.add("%s", i == 0 ? "" : ",");
        addWitch(line, game::witches[i]);
    }
    line.add("],\"starCount\":%d,\"stars\":[", game::starCount);
    first = true;
    for (int i = 0; i < game::STAR_CAPACITY; ++i) {
        const game::Star& s = game::stars[i];
        if (s.active != 0) {
            addFieldObject(line, first, i, s.x, s.y, s.speed);
            line.add("]");
        }
    }
    line.add("],\"orbCount\":%d,\"orbs\":[", game::orbCount);
    first = true;
    for (int i = 0; i < game::ORB_CAPACITY; ++i) {
        const game::Orb& o = game::orbs[i];
        if (o.active != 0) {
            addFieldObject(line, first, i, o.x, o.y, o.speed);
            line.add(",%d]", o.colour);
        }
    }
    line.add("]");
    if (pixels != nullptr) {
        line.add(",\"fb\":\"%016llx\"", static_cast<unsigned long long>(hashFramebuffer(pixels)));
    }
    line.add("}\n");
    std::fwrite(line.text, 1, line.length, out);
}

bool writePpm(const char* path, const gfx::Pixel* pixels) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", gfx::FRAME_WIDTH, gfx::FRAME_HEIGHT);
    std::uint8_t row[gfx::FRAME_WIDTH * 3];
    for (int top = 0; top < gfx::FRAME_HEIGHT; ++top) {
        const gfx::Pixel* source = pixels + (gfx::FRAME_HEIGHT - 1 - top) * gfx::FRAME_WIDTH;
        for (int c = 0; c < gfx::FRAME_WIDTH; ++c) {
            row[3 * c] = static_cast<std::uint8_t>(gfx::redOf(source[c]));
            row[3 * c + 1] = static_cast<std::uint8_t>(gfx::greenOf(source[c]));
            row[3 * c + 2] = static_cast<std::uint8_t>(gfx::blueOf(source[c]));
        }
        std::fwrite(row, 1, sizeof row, file);
    }
    return std::fclose(file) == 0;
}

} // namespace replay
