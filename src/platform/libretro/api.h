// The part of the libretro interface (version 1) that this core uses:
// the entry points a frontend looks up, the callbacks it hands over, the
// records they pass and the numbers they use. Debian ships no header for
// it, so it is declared here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace retro {

constexpr unsigned API_VERSION = 1;

// --- Records, laid out as the frontend expects them ---

struct SystemInfo {
    const char* libraryName;
    const char* libraryVersion;
    const char* validExtensions; // "|"-separated; null or "" for none
    bool needFullpath;
    bool blockExtract;
};

struct GameGeometry {
    unsigned baseWidth;
    unsigned baseHeight;
    unsigned maxWidth;
    unsigned maxHeight;
    float aspectRatio; // 0 or less: baseWidth / baseHeight
};

struct SystemTiming {
    double fps;
    double sampleRate;
};

struct SystemAvInfo {
    GameGeometry geometry;
    SystemTiming timing;
};

struct GameInfo {
    const char* path;
    const void* data;
    std::size_t size;
    const char* meta;
};

struct InputDescriptor {
    unsigned port;
    unsigned device;
    unsigned index;
    unsigned id;
    const char* description; // null ends a list
};

struct ControllerDescription {
    const char* description;
    unsigned id;
};

struct ControllerInfo {
    const ControllerDescription* types;
    unsigned count;
};

enum LogLevel : int { LOG_DEBUG = 0, LOG_INFO = 1, LOG_WARN = 2, LOG_ERROR = 3 };

using LogFunction = void (*)(LogLevel level, const char* format, ...);

struct LogCallback {
    LogFunction log;
};

// --- Callbacks ---

using EnvironmentFunction = bool (*)(unsigned command, void* data);
using VideoRefreshFunction = void (*)(const void* data, unsigned width, unsigned height,
                                      std::size_t pitch);
using AudioSampleFunction = void (*)(std::int16_t left, std::int16_t right);
using AudioSampleBatchFunction = std::size_t (*)(const std::int16_t* data, std::size_t frames);
using InputPollFunction = void (*)();
using InputStateFunction = std::int16_t (*)(unsigned port, unsigned device, unsigned index,
                                            unsigned id);

// --- Numbers ---

enum Device : unsigned {
    DEVICE_NONE = 0,
    DEVICE_JOYPAD = 1, // the RetroPad
    DEVICE_KEYBOARD = 3,
    DEVICE_ANALOG = 5,
};
constexpr unsigned DEVICE_MASK = 0xFF; // a subclass keeps its base in the low byte

// RetroPad buttons; south, west, east, north by position.
enum PadId : unsigned {
    PAD_B = 0,
    PAD_Y = 1,
    PAD_SELECT = 2,
    PAD_START = 3,
    PAD_UP = 4,
    PAD_DOWN = 5,
    PAD_LEFT = 6,
    PAD_RIGHT = 7,
    PAD_A = 8,
    PAD_X = 9,
    PAD_L = 10,
    PAD_R = 11,
    PAD_MASK = 256, // every button at once, bit n for id n
};

constexpr unsigned ANALOG_LEFT = 0; // index of the left stick
constexpr unsigned ANALOG_X = 0;
constexpr unsigned ANALOG_Y = 1; // grows downward

enum PixelFormat : int { PIXEL_0RGB1555 = 0, PIXEL_XRGB8888 = 1, PIXEL_RGB565 = 2 };

constexpr unsigned REGION_NTSC = 0;

enum Environment : unsigned {
    ENV_GET_CAN_DUPE = 3,
    ENV_SHUTDOWN = 7,
    ENV_SET_PIXEL_FORMAT = 10,
    ENV_SET_INPUT_DESCRIPTORS = 11,
    ENV_SET_SUPPORT_NO_GAME = 18,
    ENV_GET_LOG_INTERFACE = 27,
    ENV_SET_CONTROLLER_INFO = 35,
    ENV_SET_SERIALIZATION_QUIRKS = 44,
    ENV_GET_INPUT_BITMASKS = 51 + 0x10000, // experimental
};

// Keyboard key codes (device 3's ids).
enum Key : unsigned {
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_0 = 48, // to KEY_0 + 9
    KEY_a = 97, // to KEY_a + 25
    KEY_DELETE = 127,
    KEY_KP0 = 256, // to KEY_KP0 + 9
    KEY_KP_PERIOD = 266,
    KEY_KP_DIVIDE = 267,
    KEY_KP_MULTIPLY = 268,
    KEY_KP_MINUS = 269,
    KEY_KP_PLUS = 270,
    KEY_KP_ENTER = 271,
    KEY_UP = 273,
    KEY_DOWN = 274,
    KEY_RIGHT = 275,
    KEY_LEFT = 276,
    KEY_INSERT = 277,
    KEY_HOME = 278,
    KEY_END = 279,
    KEY_PAGEUP = 280,
    KEY_PAGEDOWN = 281,
    KEY_F1 = 282, // to KEY_F1 + 14
    KEY_RSHIFT = 303,
    KEY_LSHIFT = 304,
    KEY_RCTRL = 305,
    KEY_LCTRL = 306,
    KEY_RALT = 307,
    KEY_LALT = 308,
};

} // namespace retro

// The entry points, looked up by name: the only symbols the core shows.
extern "C" {
#pragma GCC visibility push(default)
void retro_set_environment(retro::EnvironmentFunction callback);
void retro_set_video_refresh(retro::VideoRefreshFunction callback);
void retro_set_audio_sample(retro::AudioSampleFunction callback);
void retro_set_audio_sample_batch(retro::AudioSampleBatchFunction callback);
void retro_set_input_poll(retro::InputPollFunction callback);
void retro_set_input_state(retro::InputStateFunction callback);
void retro_init();
void retro_deinit();
unsigned retro_api_version();
void retro_get_system_info(retro::SystemInfo* info);
void retro_get_system_av_info(retro::SystemAvInfo* info);
void retro_set_controller_port_device(unsigned port, unsigned device);
void retro_reset();
void retro_run();
std::size_t retro_serialize_size();
bool retro_serialize(void* data, std::size_t size);
bool retro_unserialize(const void* data, std::size_t size);
void retro_cheat_reset();
void retro_cheat_set(unsigned index, bool enabled, const char* code);
bool retro_load_game(const retro::GameInfo* game);
bool retro_load_game_special(unsigned type, const retro::GameInfo* info, std::size_t count);
void retro_unload_game();
unsigned retro_get_region();
void* retro_get_memory_data(unsigned id);
std::size_t retro_get_memory_size(unsigned id);
#pragma GCC visibility pop
}
