// Build helper: makes the installed game's icons from its window icon art.
//
//   sorvi-icon INPUT.bmp --png SIZE OUTPUT.png [--png SIZE OUTPUT.png]...
//
// Each PNG is SIZE by SIZE, scaled by nearest neighbour; black pixels, the
// art's see-through colour, become transparent.
#include "bmp_reader.h"
#include "image.h"
#include "png_writer.h"

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
    int size = 0;
    std::string path;
};

int usage() {
    std::fputs("usage: sorvi-icon INPUT.bmp --png SIZE OUTPUT.png [--png SIZE OUTPUT.png]...\n",
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
    if (argc < 5) {
        return usage();
    }
    std::vector<Output> outputs;
    for (int i = 2; i < argc; i += 3) {
        Output output;
        if (i + 2 >= argc || std::string(argv[i]) != "--png" ||
            !parseSize(argv[i + 1], output.size)) {
            return usage();
        }
        output.path = argv[i + 2];
        outputs.push_back(output);
    }

    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        return fail(std::string("cannot read ") + argv[1]);
    }
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    icon::Image art;
    std::string error;
    if (!icon::readBmp(file, art, error)) {
        return fail(std::string(argv[1]) + ": " + error);
    }
    icon::makeTransparent(art, 0x000000);

    for (const Output& output : outputs) {
        const icon::Image scaled = icon::scaleNearest(art, output.size, output.size);
        if (!writeFile(output.path, icon::encodePng(scaled))) {
            return fail("cannot write " + output.path);
        }
    }
    return 0;
}
