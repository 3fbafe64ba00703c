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

// ============================================================================
// Window, message queue and pixel memory: what the host shell needs.
// ============================================================================

// --- Messages ---------------------------------------------------------------

enum class MessageKind : std::uint8_t {
    None,
    // Taken from the queue.
    KeyDown,   // code: virtual-key code
    KeyUp,     // code: virtual-key code
    MouseDown, // left button; x, y in the window, the menu bar's top-left at (0, 0)
    MouseUp,
    MouseMove,
    Close,     // the close box, or the process was asked to stop
    Paint,     // part of the window needs showing again
    FocusLost, // another window took the keyboard
    Command,   // code: command id (posted by the menu)
    Quit,      // code: exit code
    // Sent by the host to its own window procedure, never queued.
    Destroy,
    InitMenuPopup, // code: pop-up index
    EnterMenuLoop,
    ExitMenuLoop,
};

// Modifier keys held with a key message.
constexpr std::uint8_t MOD_SHIFT = 0x01;
constexpr std::uint8_t MOD_CONTROL = 0x02;
constexpr std::uint8_t MOD_ALT = 0x04;

struct Message {
    MessageKind kind = MessageKind::None;
    int code = 0;
    int x = 0;
    int y = 0;
    std::uint8_t modifiers = 0; // MOD_* held, key messages only
    bool repeat = false;        // KeyDown: the key was already down (auto-repeat)
};

// Takes the next message without waiting. Returns 1 and fills `message`
// when one was waiting (a Quit included), 0 when the queue is empty.
int peekMessage(Message& message);

// Waits for the next message. Returns 0 when it is Quit, else 1.
int getMessage(Message& message);

// Appends a message to the queue (the menu posts its chosen command).
void postMessage(const Message& message);

// Queues Quit with `exitCode`; it comes after the messages already posted.
void postQuitMessage(int exitCode);

// --- Keyboard snapshot updates ----------------------------------------------

// The loop applies each key message to the snapshot as it takes it from the
// queue. A press sets bit 7 and flips bit 0 (an auto-repeat changes nothing);
// a release clears bit 7.
void pressKey(int virtualKey, bool repeat);
void releaseKey(int virtualKey);
// Clears bit 7 of every key, toggles kept.
void releaseAllKeys();

// --- Window -----------------------------------------------------------------

constexpr int ICON_SIZE = 32;

struct WindowClass {
    const char* className;
    const std::uint32_t* icon; // ICON_SIZE squared pixels 0xAARRGGBB, top row first; may be null
    int menuBarHeight;         // rows above the client area that the menu bar takes
    int menuPictureWidth;      // the largest menu picture the window will be given
    int menuPictureHeight;
};

// Remembers the class for the window. Returns 1.
int registerWindowClass(const WindowClass& windowClass);

// Creates the window, hidden, with `width` by `height` as its outer size.
// Returns 1, or 0 with the reason in windowError().
int createWindow(const char* title, int width, int height);
const char* windowError();

void showWindow();

// Sets the outer size; the top-left corner stays where it is.
void setWindowSize(int width, int height);

// The window disappears; no message of its own comes after.
void destroyWindow();

// Shows the 320 by 240 picture (bottom row first, 0x00RRGGBB) in the
// client area, stretched to `width` by `height` with nearest-neighbour
// scaling. Returns 1 when it reached the window, else 0.
int presentFrame(const std::uint32_t* pixels, int width, int height);

// Lays the menu picture (0xAARRGGBB, top row first, alpha 0 transparent)
// over the window's top-left corner, above the last frame.
void presentMenu(const std::uint32_t* pixels, int width, int height);

// --- Pixel memory -----------------------------------------------------------

// A zero-filled block for the framebuffer, made once; nullptr when it
// cannot be had.
void* createPixelMemory(std::size_t bytes);
void releasePixelMemory(void* block);

} // namespace platform
