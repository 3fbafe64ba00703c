// The autopilot's steering: what a player who chases orbs and dodges stars
// would press this frame. Shared by sorvi-autopilot and the soak.
#pragma once

namespace replay {

struct Steering {
    bool up = false, down = false, left = false, right = false, maho = false;
};

// Witch i dodges a star about to reach her, else chases the orb she can
// reach soonest, and casts a full orb set. An out-of-play witch steers not.
Steering steerWitch(int i);

// Holds the steering's keys on witch i's keyboard layout. A slot on the
// joystick scheme has no keys, so nothing is held for it.
void holdSteering(int i, const Steering& steering, bool (&held)[256]);

} // namespace replay
