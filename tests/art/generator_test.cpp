// The committed bitmaps are exactly what the art generator makes of the
// sources, and a faulty source makes it stop without writing anything.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const OUTPUTS[] = {"sprites.bmp", "backdrop.bmp", "icon.bmp"};

std::vector<unsigned char> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void append(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::app);
    out << "\n" << text;
}

// A scratch directory of the test's own, removed afterwards.
struct ScratchDir {
    fs::path path;
    explicit ScratchDir(const std::string& name) {
        path = fs::temp_directory_path() / ("sorvi-art-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchDir() { fs::remove_all(path); }
};

// Runs the generator, its complaints going to `messages`; true when it exits
// with status 0.
bool runGenerator(const fs::path& sources, const fs::path& output,
                  const fs::path& messages = "/dev/null") {
    const std::string command = std::string("'") + SORVI_ARTGEN + "' '" + sources.string() + "' '" +
                                output.string() + "' 2>'" + messages.string() + "'";
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ArtGenerator, ReproducesTheCommittedBitmapsByteForByte) {
    ScratchDir out("regenerated");
    ASSERT_TRUE(runGenerator(SORVI_ART_SOURCES, out.path));
    for (const char* name : OUTPUTS) {
        const std::vector<unsigned char> made = readBytes(out.path / name);
        const std::vector<unsigned char> committed = readBytes(fs::path(SORVI_RES_DIR) / name);
        ASSERT_FALSE(committed.empty()) << name;
        ASSERT_EQ(made.size(), committed.size()) << name;
        for (std::size_t i = 0; i < made.size(); ++i) {
            ASSERT_EQ(made[i], committed[i])
                << name << " differs at byte " << i
                << "; regenerate with: cmake --build <dir> --target art";
        }
    }
}

struct Fault {
    const char* what;
    const char* file;      // relative to the source directory
    const char* text;      // appended to it
    const char* complaint; // part of the message the generator must give
};

TEST(ArtGenerator, StopsAtAFaultySourceAndWritesNothing) {
    const Fault faults[] = {
        {"pure black in a legend", "sheet/50-icons.txt", "colour Q 0 0 0 black\n", "pure black"},
        {"a grid row too short", "sheet/50-icons.txt",
         "colour Q 9 9 9\ncell 224 96 4 2\nQQQQ\nQQQ\n", "wide instead of 4"},
        {"a letter missing from the legend", "sheet/50-icons.txt", "cell 224 96 2 1\nQ?\n",
         "not in the legend"},
        {"a picture straddling two grid cells", "sheet/50-icons.txt",
         "colour Q 9 9 9\ncell 30 96 4 1\nQQQQ\n", "straddles"},
        {"a picture painted over another", "sheet/50-icons.txt",
         "colour Q 9 9 9\ncell 0 0 1 1\nQ\n", "overlaps"},
        {"a picture outside the sheet", "sheet/50-icons.txt",
         "colour Q 9 9 9\ncell 254 0 4 1\nQQQQ\n", "reaches outside"},
        {"a turn that pushes pixels out of the cell", "sheet/50-icons.txt",
         "tilt 224 96 from 0 0 size 32 32 turn 3/1 about 0 0\n", "out of the cell"},
        {"a patch outside every picture", "sheet/50-icons.txt", "patch 224 96 1 1\n-\n",
         "inside one picture"},
        {"a sky layer that does not wrap around", "backdrop.txt", "octave 7 7 1\n", "must divide"},
        {"an icon with more than 16 colours", "icon.txt",
         "colour 1 1 1 1\ncolour 2 2 2 2\npatch 0 31 2 1\n12\n", "more than 16 colours"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        ScratchDir work("faulty");
        const fs::path sources = work.path / "art";
        const fs::path out = work.path / "out";
        fs::copy(SORVI_ART_SOURCES, sources, fs::copy_options::recursive);
        fs::create_directories(out);
        append(sources / fault.file, fault.text);
        EXPECT_FALSE(runGenerator(sources, out, work.path / "messages.txt"));
        EXPECT_TRUE(fs::is_empty(out));
        const std::vector<unsigned char> said = readBytes(work.path / "messages.txt");
        EXPECT_NE(std::string(said.begin(), said.end()).find(fault.complaint), std::string::npos)
            << std::string(said.begin(), said.end());
    }
}

} // namespace
