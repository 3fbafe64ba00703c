// Makes the game's bitmaps.
//
//   sorvi-artgen OUTPUT_DIR
//
// Writes sprites.bmp, backdrop.bmp and icon.bmp into OUTPUT_DIR. The files
// in res/ are this program's output; a test checks that they still are.
#include "bmp_writer.h"
#include "placeholder_art.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sorvi-artgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = artgen::writeFile(dir + "/sprites.bmp", artgen::encodeBmp8(artgen::placeholderSprites())) &&
                    artgen::writeFile(dir + "/backdrop.bmp", artgen::encodeBmp8(artgen::placeholderBackdrop())) &&
                    artgen::writeFile(dir + "/icon.bmp", artgen::encodeBmp4(artgen::placeholderIcon()));
    if (!ok) {
        std::fprintf(stderr, "sorvi-artgen: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
