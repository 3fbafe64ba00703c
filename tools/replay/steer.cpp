#include "steer.h"

#include "game/field.h"
#include "game/values.h"
#include "game/witch.h"
#include "input/controls.h"

#include <cmath>

namespace replay {

Steering steerWitch(int i) {
    Steering out;
    const game::Witch& w = game::witches[i];
    if (w.stateTimer >= game::TIMER_OUT_OF_PLAY) {
        return out;
    }
    const double cy = w.y + 16.0;
    double targetY = cy;
    double targetX = 150.0;
    double bestTime = 1e9;
    for (const game::Orb& o : game::orbs) {
        if (o.active == 0 || o.x > w.x + 40) {
            continue;
        }
        const double time = (w.x - o.x) / o.speed;
        if (time < bestTime) {
            bestTime = time;
            targetY = o.y + 4.0;
            targetX = o.x + 40.0;
        }
    }
    for (const game::Star& s : game::stars) {
        if (s.active == 0) {
            continue;
        }
        const double ahead = w.x - (s.x + 16.0);
        const double dy = (s.y + 8.0) - cy;
        if (ahead > -8.0 && ahead < 24.0 * s.speed && std::fabs(dy) < 22.0) {
            targetY = dy > 0 ? s.y - 24.0 : s.y + 40.0;
            if (targetY < 16.0 || targetY > 224.0) {
                targetY = dy > 0 ? s.y + 40.0 : s.y - 24.0;
            }
            break;
        }
    }
    const double predictedY = cy + 6.0 * w.vy;
    if (predictedY < targetY - 2.0) {
        out.up = true;
    } else if (predictedY > targetY + 2.0) {
        out.down = true;
    }
    const double predictedX = w.x + 16.0 + 6.0 * w.vx;
    if (predictedX < targetX - 4.0) {
        out.right = true;
    } else if (predictedX > targetX + 4.0) {
        out.left = true;
    }
    // Pressed every other Play frame, so each press is a new edge.
    if (w.fullSet != 0 && game::gameState == game::Play && game::magicFrameCount % 2 == 0) {
        out.maho = (game::playFrameCount % 2) == 0;
    }
    return out;
}

void holdSteering(int i, const Steering& steering, bool (&held)[256]) {
    const std::int32_t scheme = game::playerSlots[i].scheme;
    if (scheme < input::Keyboard1 || scheme > input::Keyboard3) {
        return;
    }
    const input::KeyLayout& keys = input::KEY_LAYOUTS[scheme];
    held[keys.up] = held[keys.up] || steering.up;
    held[keys.down] = held[keys.down] || steering.down;
    held[keys.left] = held[keys.left] || steering.left;
    held[keys.right] = held[keys.right] || steering.right;
    held[keys.maho] = held[keys.maho] || steering.maho;
}

} // namespace replay
