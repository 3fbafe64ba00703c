// The seam between the game and the machine it runs on.
//
// Game, graphics, input and host logic reach the outside world only through
// the operations declared here. The window program links the SDL
// implementation (platform/sdl), tests and the replay runner link the
// headless one (platform/headless). Nothing here includes SDL.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// --- Program resources ------------------------------------------------------

enum class ResourceKind : std::uint8_t { Bitmap, Icon };

// One resource of a module. A null `bytes` marks a resource that exists but
// cannot be loaded.
struct ResourceEntry {
    int id;
    ResourceKind kind;
    const std::uint8_t* bytes;
    std::size_t size;
};

// The resources a program carries: the table that lookups search.
struct Module {
    const ResourceEntry* entries;
    std::size_t count;
};

// Read-only bytes of a loaded resource, valid for the rest of the run.
struct ResourceBytes {
    const std::uint8_t* data;
    std::size_t size;
};

// The program's own module: the resources embedded at build time.
const Module& programModule();

// Finds resource `id` of the given kind (only the id's low 16 bits count).
// Returns nullptr when the module has no such resource.
const ResourceEntry* findResource(const Module& module, int id, ResourceKind kind);

// Loads a found resource. Returns 0 when it cannot be loaded, else 1.
int loadResource(const ResourceEntry& entry, ResourceBytes& out);

// --- Message box ------------------------------------------------------------

// Shows `text` with `caption` and a single OK button; returns when dismissed.
void showMessageBox(const char* text, const char* caption);

// --- Keyboard ---------------------------------------------------------------

constexpr int KEY_COUNT = 256;

// Copies the keyboard snapshot: one byte per virtual-key code, bit 7 set
// while the key is down, bit 0 flipping at every press. Returns 1.
int getKeyboardState(std::uint8_t (&keys)[KEY_COUNT]);

// --- Joystick ---------------------------------------------------------------

struct JoystickCaps {
    std::uint32_t xMin, xMax, yMin, yMax;
};

struct JoystickPosition {
    std::uint32_t x, y;
    std::uint32_t buttons; // bit 0 button 1, bit 1 button 2
};

// Number of joystick devices the machine reports.
std::uint32_t joystickDeviceCount();

// Axis ranges of the first joystick. Returns 1 on success, else 0.
int readJoystickCaps(JoystickCaps& caps);

// Position and buttons of the first joystick. Returns 1 on success, else 0.
int readJoystickPosition(JoystickPosition& position);

// --- Time -------------------------------------------------------------------

// Milliseconds since some fixed moment, unsigned and wrapping.
std::uint32_t millisecondClock();

// Sleeps about `milliseconds`.
void sleepMilliseconds(std::uint32_t milliseconds);

// Calendar time in whole seconds since 1970-01-01 UTC, reduced to 32 bits.
std::uint32_t calendarSeconds();

} // namespace platform
