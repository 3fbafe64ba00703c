#include "game/field.h"

#include "game/random.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/blit.h"

#include <cmath>

namespace game {

Star stars[STAR_CAPACITY] = {};
std::int32_t starCount = 0;
Orb orbs[ORB_CAPACITY] = {};
std::int32_t orbCount = 0;

std::int32_t starAnimCount = 0;
std::int32_t starAnimPhase = 0;
std::int32_t magicAnimCount = 0;
std::int32_t magicAnimPhase = 0;

namespace {

constexpr float SPEED_STEP = -0.1f;
constexpr float STAR_RIGHT_LIMIT = 304.0f;
constexpr float ORB_RIGHT_LIMIT = 312.0f;
constexpr float MAGIC_TOP_LIMIT = 224.0f;

// The shared first test of a spawn: draws one number and says whether a
// record is to be filled.
bool spawnChance(std::int32_t count, int capacity, std::int32_t divisor) {
    return count < capacity && nextRandom() % divisor == 0;
}

// Fills the fields both kinds share, drawing the height, then the speed.
template <typename Record> void placeAtLeftEdge(Record& record) {
    record.active = 1;
    record.x = 0.0f;
    record.y = static_cast<float>(nextRandom() % 240);
    const int k = nextRandom() % 30;
    record.speed = static_cast<float>(1.0 - static_cast<double>(k) * SPEED_STEP);
}

template <typename Record, int N> Record* lowestFree(Record (&records)[N]) {
    for (Record& record : records) {
        if (record.active == 0) {
            return &record;
        }
    }
    return nullptr;
}

// Whether the truncated difference of two positions plus the half-sizes
// lies strictly within the reach.
bool within(float witchPos, float objectPos, double offset, double reach) {
    const double difference = std::trunc(static_cast<double>(witchPos) - objectPos + offset);
    return std::fabs(difference) < reach;
}

void drawStar(gfx::Pixel* target, const Star& s, int phase, int blend) {
    gfx::blit(gfx::BlitRequest{target, static_cast<std::int32_t>(s.x),
                               static_cast<std::int32_t>(s.y), 16, 16, 96 + 16 * phase, 16,
                               gfx::ORIENT_UPRIGHT, blend});
}

} // namespace

void clearStars() {
    for (Star& s : stars) {
        s.active = 0;
    }
    starCount = 0;
}

void clearOrbs() {
    for (Orb& o : orbs) {
        o.active = 0;
    }
    orbCount = 0;
}

void updateStars(gfx::Pixel* target) {
    if (++starAnimCount > 3) {
        starAnimCount = 0;
        starAnimPhase = (starAnimPhase + 1) % 2;
    }
    if (spawnChance(starCount, STAR_CAPACITY, starSpawnDivisor)) {
        placeAtLeftEdge(*lowestFree(stars));
        ++starCount;
    }
    for (Star& s : stars) {
        if (s.active == 0) {
            continue;
        }
        s.x = static_cast<float>(static_cast<double>(s.x) + s.speed);
        for (Witch& w : witches) {
            if (s.active != 0 && w.stateTimer == TIMER_FLYING && within(w.x, s.x, 8.0, 8.0) &&
                within(w.y, s.y, 8.0, 10.0)) {
                w.stateTimer = TIMER_STRUCK;
                s.active = 0;
                --starCount;
            }
        }
        if (s.x > STAR_RIGHT_LIMIT && s.active != 0) {
            s.active = 0;
            --starCount;
        }
        drawStar(target, s, starAnimPhase, gfx::BLEND_COPY);
    }
}

void updateOrbs(gfx::Pixel* target) {
    if (spawnChance(orbCount, ORB_CAPACITY, orbSpawnDivisor)) {
        Orb& o = *lowestFree(orbs);
        placeAtLeftEdge(o);
        o.colour = nextRandom() % ORB_COLOURS;
        ++orbCount;
    }
    for (Orb& o : orbs) {
        if (o.active == 0) {
            continue;
        }
        o.x = static_cast<float>(static_cast<double>(o.x) + o.speed);
        for (Witch& w : witches) {
            if (o.active != 0 && w.stateTimer < TIMER_OUT_OF_PLAY && within(w.x, o.x, 12.0, 12.0) &&
                within(w.y, o.y, 12.0, 14.0)) {
                o.active = 0;
                ++w.orbCounts[o.colour];
                score += 10;
                w.flashCount = 5;
                --orbCount;
            }
        }
        if (o.x > ORB_RIGHT_LIMIT && o.active != 0) {
            o.active = 0;
            --orbCount;
        }
        gfx::blit(gfx::BlitRequest{target, static_cast<std::int32_t>(o.x),
                                   static_cast<std::int32_t>(o.y), 8, 8, orbSrcX(o.colour),
                                   orbSrcY(o.colour), gfx::ORIENT_UPRIGHT, gfx::BLEND_COPY});
    }
}

void updateMagicStars(gfx::Pixel* target) {
    if (++magicAnimCount > 5) {
        magicAnimCount = 0;
        magicAnimPhase = (magicAnimPhase + 1) % 2;
    }
    for (Star& s : stars) {
        if (s.active != 1) {
            continue;
        }
        s.x = static_cast<float>(static_cast<double>(s.x) + 1.0);
        s.y = static_cast<float>(static_cast<double>(s.y) - 1.0);
        if (s.x < 0.0f || s.x > STAR_RIGHT_LIMIT || s.y < 0.0f || s.y > MAGIC_TOP_LIMIT) {
            s.active = 0;
            --starCount;
        }
        drawStar(target, s, magicAnimPhase, gfx::BLEND_ADD);
    }
}

void resetField() {
    for (Star& s : stars) {
        s = Star{};
    }
    for (Orb& o : orbs) {
        o = Orb{};
    }
    starCount = 0;
    orbCount = 0;
    starAnimCount = starAnimPhase = 0;
    magicAnimCount = magicAnimPhase = 0;
}

} // namespace game
