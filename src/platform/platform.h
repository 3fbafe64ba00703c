// The seam between the game and the machine it runs on.
//
// Game, graphics, input and host logic reach the outside world only through
// the operations declared here. Each platform (platform/sdl, platform/win32,
// platform/web, and platform/headless for tests and the replay runner)
// implements them; nothing above this header knows which one runs.
#pragma once

#include "platform/frame.h"
#include "res/accelerators.h"
#include "res/menu.h"

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

// The resources a program carries: the table that lookups search. A
// platform whose programs carry resources of their own (Windows) looks
// there instead.
struct Module {
    const ResourceEntry* entries;
    std::size_t count;
};

// A found resource; 0 for none.
using ResourceHandle = std::uintptr_t;

// Read-only bytes of a loaded resource, valid for the rest of the run.
struct ResourceBytes {
    const std::uint8_t* data;
    std::size_t size;
};

// The program's own module.
const Module& programModule();

// Finds resource `id` of the given kind (only the id's low 16 bits count).
// Returns 0 when the module has no such resource.
ResourceHandle findResource(const Module& module, int id, ResourceKind kind);

// Loads a found resource. Returns 0 when it cannot be loaded, else 1.
int loadResource(const Module& module, ResourceHandle resource, ResourceBytes& out);

// --- Message box ------------------------------------------------------------

// Shows `text` with `caption` and a single OK button, owned by no window;
// returns when dismissed.
void showMessageBox(const char* text, const char* caption);

// --- Keyboard ---------------------------------------------------------------

constexpr int KEY_COUNT = 256;

// Copies the keyboard snapshot: one byte per virtual-key code, bit 7 set
// while the key is down, bit 0 flipping at every press. A key pressed since
// the last snapshot shows as down in this one even if already released.
// Returns 1.
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

// --- Pads -------------------------------------------------------------------

// Pads that belong to one player each, by port: a frontend that hands every
// player a controller of their own reports them. What a pad's buttons do is
// the game's affair; most platforms report none (all zero).
constexpr int PAD_COUNT = 3;

enum PadButton : std::uint16_t {
    PAD_UP = 1u << 0,
    PAD_DOWN = 1u << 1,
    PAD_LEFT = 1u << 2,
    PAD_RIGHT = 1u << 3,
    PAD_SOUTH = 1u << 4, // the face buttons by position
    PAD_EAST = 1u << 5,
    PAD_WEST = 1u << 6,
    PAD_NORTH = 1u << 7,
    PAD_START = 1u << 8,
    PAD_SELECT = 1u << 9,
};

struct PadState {
    std::uint16_t buttons; // PadButton bits held
    std::int16_t stickX;   // left stick: -32768 left .. 32767 right
    std::int16_t stickY;   // -32768 up .. 32767 down
};

// The pads as they are now; a port without a pad reads all zero.
void readPads(PadState (&pads)[PAD_COUNT]);

// --- Time -------------------------------------------------------------------

// Milliseconds since the system started, unsigned and wrapping.
std::uint32_t millisecondClock();

// Sleeps about `milliseconds`.
void sleepMilliseconds(std::uint32_t milliseconds);

// Calendar time in whole seconds since 1970-01-01 UTC, reduced to 32 bits.
std::uint32_t calendarSeconds();

// ============================================================================
// Window, messages, menu and pixel memory: what the host shell needs.
// ============================================================================

// --- Messages ---------------------------------------------------------------

enum class MessageKind : std::uint8_t {
    None,      // handled by the platform itself; nothing for the host
    KeyDown,   // code: virtual-key code
    KeyUp,     // code: virtual-key code
    MouseDown, // left button; x, y in the platform's window
    MouseUp,
    MouseMove,
    Close,        // the close box, or the process was asked to stop
    Paint,        // part of the window needs showing again
    FocusLost,    // another window took the keyboard
    DeviceChange, // a game controller was plugged in or pulled out
    Command,      // code: command id
    Quit,         // code: exit code
    // Sent to the window procedure only, never queued.
    Destroy,
    InitMenuPopup, // popup: the pop-up that opens
    EnterMenuLoop,
    ExitMenuLoop,
};

// Modifier keys held with a key message.
constexpr std::uint8_t KEYMOD_SHIFT = 0x01;
constexpr std::uint8_t KEYMOD_CONTROL = 0x02;
constexpr std::uint8_t KEYMOD_ALT = 0x04;

// A pop-up menu, as the platform names it.
using MenuHandle = std::uintptr_t;

struct Message {
    MessageKind kind = MessageKind::None;
    int code = 0;
    int x = 0;
    int y = 0;
    std::uint8_t modifiers = 0;   // KEYMOD_* held, key messages only
    bool repeat = false;          // KeyDown: the key was already down (auto-repeat)
    MenuHandle popup = 0;         // InitMenuPopup
    const void* native = nullptr; // the platform's own record of the message, if it has one
};

// The quit message that ends the loop with `exitCode`.
inline Message quitMessage(int exitCode) {
    Message quit;
    quit.kind = MessageKind::Quit;
    quit.code = exitCode;
    return quit;
}

// The host's answer to each message of its window.
using WindowProcedure = std::intptr_t (*)(const Message& message);

// Takes the next message without waiting. Returns 1 and fills `message`
// when one was waiting (a Quit included), 0 when the queue is empty.
int peekMessage(Message& message);

// Waits for the next message. Returns 0 when it is Quit, else 1.
int getMessage(Message& message);

// Appends a message to the queue.
void postMessage(const Message& message);

// Makes Quit with `exitCode` the next message once those already waiting
// have been taken; never lost, however full the queue.
void postQuitMessage(int exitCode);

// Runs the accelerator table over a fetched message. Returns 1 when the
// message became a command (sent to the window procedure, and so finished).
int translateAccelerator(const Message& message);

// Hands a fetched message to the window procedure (through the open menu,
// where the platform runs one itself).
void dispatchMessage(const Message& message);

// What the platform does with a message the window procedure leaves alone.
std::intptr_t defaultWindowProcedure(const Message& message);

// --- Window -----------------------------------------------------------------

constexpr int ICON_SIZE = 32;

struct WindowClass {
    const char* className;
    WindowProcedure procedure;
    int iconId; // the icon resource
    const std::uint32_t*
        icon; // its ICON_SIZE squared pixels 0xAARRGGBB, top row first; may be null
    const res::MenuResource* menu;
    // The virtual keys the program reads besides its accelerators and menu,
    // for a platform that must leave every other key to someone else.
    const std::uint8_t* keys;
    int keyCount;
};

// Remembers the class for the window. Returns 1.
int registerWindowClass(const WindowClass& windowClass);

// Creates the window of the registered class with its menu bar, `width`
// by `height` at first (setClientSize then fits it). It shows once
// showWindow is called, or at once where the platform cannot hide it.
// Returns 1, or 0 with the reason in windowError().
int createWindow(const char* title, int width, int height);
const char* windowError();

// Shows the window and has it painted (the procedure gets Paint).
void showWindow();

// Sizes the window so that its client area is `width` by `height`, its
// frame and menu bar around it; the top-left corner stays where it is.
void setClientSize(int width, int height);

// The procedure gets Destroy, then the window disappears; no message of
// its own comes after. Later calls do nothing.
void destroyWindow();

// Marks the window as painted, drawing nothing.
void validateWindow();

// Shows the FRAME_WIDTH by FRAME_HEIGHT picture (bottom row first, 0x00RRGGBB) in the
// client area, stretched to `width` by `height` with nearest-neighbour
// scaling. Returns 1 when it reached the window, else 0.
int presentFrame(const std::uint32_t* pixels, int width, int height);

// --- Menu -------------------------------------------------------------------

// Loads the accelerator table that translateAccelerator applies; until
// then no key is translated. Returns 1.
int loadAccelerators(const res::AcceleratorResource& table);

// Sets or clears the check mark of item `id` in `popup`. Returns the
// earlier state (1 checked, 0 not), or -1 when the pop-up has no such item.
int checkMenuItem(MenuHandle popup, int id, bool checked);

// --- Pixel memory -----------------------------------------------------------

// A zero-filled block for the framebuffer, made once; nullptr when it
// cannot be had.
void* createPixelMemory(std::size_t bytes);
void releasePixelMemory(void* block);

} // namespace platform
