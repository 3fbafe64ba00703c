// Build helper: makes the installed game's icons from its window icon art.
//
//   sorvi-icon INPUT.bmp [--png SIZE OUTPUT.png]... [--ico OUTPUT.ico]
//
// Each PNG is SIZE by SIZE, scaled by nearest neighbour; black pixels, the
// art's see-through colour, become transparent. The Windows icon holds the
// art at 16 (each pixel the mean of a 2 by 2 block), and at 32, 48, 64, 128
// and 256 pixels by nearest neighbour, for Explorer's larger views.
#include "ico_writer.h"
#include "image.h"
#include "png_writer.h"
#include "shell/icon.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int MAX_ICON_SIZE = 1024;

struct Output {
    int size = 0; // 0: the Windows icon
    std::string path;
};

int usage() {
    std::fputs("usage: sorvi-icon INPUT.bmp [--png SIZE OUTPUT.png]... [--ico OUTPUT.ico]\n",
               stderr);
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "sorvi-icon: %s\n", message.c_str());
    return 1;
}

bool parseSize(const std::string& text, int& size) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    size = std::stoi(text);
    return size >= 1 && size <= MAX_ICON_SIZE;
}

// Writes through a temporary name, so a failed run leaves no truncated file
// that a build would take as up to date.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path target(path);
    std::error_code ignored;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ignored);
    }
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!file.flush()) {
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, target, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<Output> outputs;
    for (int i = 2; i < argc;) {
        Output output;
        const std::string option = argv[i];
        if (option == "--ico" && i + 1 < argc) {
            output.path = argv[i + 1];
            i += 2;
        } else if (option == "--png" && i + 2 < argc && parseSize(argv[i + 1], output.size)) {
            output.path = argv[i + 2];
            i += 3;
        } else {
            return usage();
        }
        outputs.push_back(output);
    }
    if (outputs.empty()) {
        return usage();
    }

    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        return fail(std::string("cannot read ") + argv[1]);
    }
    // The art is the window icon's bitmap, read as the program reads it.
    constexpr std::size_t FILE_HEADER_BYTES = 14;
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    shell::IconPixels pixels{};
    if (file.size() <= FILE_HEADER_BYTES || file[0] != 'B' || file[1] != 'M' ||
        shell::decodeIcon(file.data() + FILE_HEADER_BYTES, file.size() - FILE_HEADER_BYTES,
                          pixels) == 0) {
        return fail(std::string(argv[1]) + ": not a 32 by 32 palette bitmap");
    }
    icon::Image art{platform::ICON_SIZE, platform::ICON_SIZE,
                    std::vector<std::uint32_t>(std::begin(pixels), std::end(pixels))};
    icon::makeTransparent(art, 0x000000);

    for (const Output& output : outputs) {
        std::vector<std::uint8_t> bytes;
        if (output.size == 0) {
            const icon::Image normal = icon::scaleNearest(art, 32, 32);
            bytes =
                icon::encodeIco({icon::halve(normal), normal, icon::scaleNearest(art, 48, 48),
                                 icon::scaleNearest(art, 64, 64), icon::scaleNearest(art, 128, 128),
                                 icon::scaleNearest(art, 256, 256)});
        } else {
            bytes = icon::encodePng(icon::scaleNearest(art, output.size, output.size));
        }
        if (bytes.empty()) {
            return fail(std::string(argv[1]) + ": no icon can be made of it");
        }
        if (!writeFile(output.path, bytes)) {
            return fail("cannot write " + output.path);
        }
    }
    return 0;
}
