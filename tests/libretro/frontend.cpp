#include "frontend.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstring>

namespace retrotest {
namespace {

Frontend* current = nullptr;

void log(retro::LogLevel, const char*, ...) {}

bool environment(unsigned command, void* data) {
    Frontend& f = *current;
    bool answer = true;
    switch (command) {
    case retro::ENV_SET_SUPPORT_NO_GAME:
        f.supportsNoGame = *static_cast<const bool*>(data);
        break;
    case retro::ENV_SET_PIXEL_FORMAT:
        answer = !f.refusePixelFormat;
        if (answer) {
            f.pixelFormat = *static_cast<const int*>(data);
        }
        break;
    case retro::ENV_SET_INPUT_DESCRIPTORS:
        f.descriptors.clear();
        f.descriptorNames.clear();
        for (auto* d = static_cast<const retro::InputDescriptor*>(data); d->description != nullptr;
             ++d) {
            f.descriptors.push_back(*d);
            f.descriptorNames.emplace_back(d->description);
        }
        break;
    case retro::ENV_SET_CONTROLLER_INFO:
        f.controllers.clear();
        for (auto* c = static_cast<const retro::ControllerInfo*>(data); c->types != nullptr; ++c) {
            f.controllers.push_back(*c);
        }
        break;
    case retro::ENV_GET_LOG_INTERFACE:
        static_cast<retro::LogCallback*>(data)->log = log;
        break;
    case retro::ENV_SET_SERIALIZATION_QUIRKS:
        f.quirks = *static_cast<std::uint64_t*>(data);
        break;
    case retro::ENV_GET_INPUT_BITMASKS:
        answer = f.answerBitmasks;
        break;
    default:
        answer = false;
    }
    f.calls.push_back(EnvironmentCall{command, answer});
    return answer;
}

void video(const void* data, unsigned width, unsigned height, std::size_t pitch) {
    Frontend& f = *current;
    ++f.videoCalls;
    f.width = width;
    f.height = height;
    f.pitch = pitch;
    if (data != nullptr && pitch == width * 4) {
        const auto* pixels = static_cast<const std::uint32_t*>(data);
        f.picture.assign(pixels, pixels + width * height);
    }
}

void sample(std::int16_t, std::int16_t) {
    ++current->audioFrames;
}

std::size_t samples(const std::int16_t* data, std::size_t frames) {
    for (std::size_t i = 0; i < 2 * frames; ++i) {
        if (data[i] != 0) {
            return 0; // only silence is expected
        }
    }
    current->audioFrames += frames;
    return frames;
}

void poll() {
    current->polled = true;
}

std::int16_t input(unsigned port, unsigned device, unsigned index, unsigned id) {
    Frontend& f = *current;
    f.readBeforePoll = f.readBeforePoll || !f.polled;
    switch (device) {
    case retro::DEVICE_JOYPAD:
        if (port >= 8 || index != 0) {
            return 0;
        }
        if (id == retro::PAD_MASK) {
            return f.answerBitmasks ? static_cast<std::int16_t>(f.pads[port]) : 0;
        }
        return id < 16 ? static_cast<std::int16_t>((f.pads[port] >> id) & 1) : 0;
    case retro::DEVICE_ANALOG:
        return port < 8 && index == retro::ANALOG_LEFT && id < 2 ? f.sticks[port][id] : 0;
    case retro::DEVICE_KEYBOARD: {
        const auto key = f.keys.find(id);
        return port == 0 && key != f.keys.end() && key->second ? 1 : 0;
    }
    default:
        return 0;
    }
}

template <typename F> void find(void* library, const char* name, F& entry, std::string& missing) {
    entry = reinterpret_cast<F>(dlsym(library, name));
    if (entry == nullptr) {
        missing += std::string(" ") + name;
    }
}

} // namespace

Frontend::Frontend(const std::string& path) {
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        missing = dlerror();
        return;
    }
    find(library, "retro_set_environment", set_environment, missing);
    find(library, "retro_set_video_refresh", set_video_refresh, missing);
    find(library, "retro_set_audio_sample", set_audio_sample, missing);
    find(library, "retro_set_audio_sample_batch", set_audio_sample_batch, missing);
    find(library, "retro_set_input_poll", set_input_poll, missing);
    find(library, "retro_set_input_state", set_input_state, missing);
    find(library, "retro_init", init, missing);
    find(library, "retro_deinit", deinit, missing);
    find(library, "retro_api_version", api_version, missing);
    find(library, "retro_get_system_info", get_system_info, missing);
    find(library, "retro_get_system_av_info", get_system_av_info, missing);
    find(library, "retro_set_controller_port_device", set_controller_port_device, missing);
    find(library, "retro_reset", reset, missing);
    find(library, "retro_run", run_, missing);
    find(library, "retro_serialize_size", serialize_size, missing);
    find(library, "retro_serialize", serialize_, missing);
    find(library, "retro_unserialize", unserialize_, missing);
    find(library, "retro_cheat_reset", cheat_reset, missing);
    find(library, "retro_cheat_set", cheat_set, missing);
    find(library, "retro_load_game", load_game, missing);
    find(library, "retro_load_game_special", load_game_special, missing);
    find(library, "retro_unload_game", unload_game, missing);
    find(library, "retro_get_region", get_region, missing);
    find(library, "retro_get_memory_data", get_memory_data, missing);
    find(library, "retro_get_memory_size", get_memory_size, missing);
}

Frontend::~Frontend() {
    if (library != nullptr) {
        dlclose(library);
    }
    if (current == this) {
        current = nullptr;
    }
}

void Frontend::select() {
    current = this;
}

bool Frontend::start() {
    select();
    set_environment(environment);
    set_video_refresh(video);
    set_audio_sample(sample);
    set_audio_sample_batch(samples);
    set_input_poll(poll);
    set_input_state(input);
    init();
    return load_game(nullptr);
}

void Frontend::stop() {
    select();
    unload_game();
    deinit();
}

void Frontend::run(int frames) {
    select();
    for (int i = 0; i < frames; ++i) {
        polled = false;
        audioFrames = 0;
        run_();
    }
}

std::uint64_t Frontend::pictureHash() const {
    std::uint64_t h = 14695981039346656037ull;
    for (std::uint32_t p : picture) {
        h = (h ^ p) * 1099511628211ull;
    }
    return h;
}

std::vector<std::uint8_t> Frontend::serialize() {
    select();
    std::vector<std::uint8_t> bytes(serialize_size());
    if (!serialize_(bytes.data(), bytes.size())) {
        bytes.clear();
    }
    return bytes;
}

bool Frontend::unserialize(const std::vector<std::uint8_t>& bytes) {
    select();
    return unserialize_(bytes.data(), bytes.size());
}

bool rowsHold(const std::vector<std::uint32_t>& picture, int top, int bottom,
              std::uint32_t colour) {
    for (int row = top; row < bottom; ++row) {
        for (int column = 0; column < 320; ++column) {
            if ((picture[static_cast<std::size_t>(row * 320 + column)] & 0xFFFFFF) == colour) {
                return true;
            }
        }
    }
    return false;
}

Screen screenOf(const std::vector<std::uint32_t>& picture) {
    if (picture.size() != 320 * 240) {
        return Screen::Other;
    }
    if (rowsHold(picture, 223, 240, MINT)) {
        return Screen::Setup;
    }
    if (rowsHold(picture, 3, 19, MINT)) {
        return Screen::Play;
    }
    if (rowsHold(picture, 80, 96, PEACH)) {
        return Screen::Title;
    }
    return Screen::Other;
}

} // namespace retrotest
