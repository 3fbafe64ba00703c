// Simple stand-in pictures of the exact shapes the game loads, until the
// real artwork is drawn: each sprite cell holds a plain, recognisable mark.
#include "placeholder_art.h"

#include <cmath>

namespace artgen {
namespace {

void disc(IndexedPicture& p, int cx, int cy, int radius, std::uint8_t index) {
    for (int y = cy - radius; y <= cy + radius; ++y) {
        for (int x = cx - radius; x <= cx + radius; ++x) {
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) {
                p.at(x, y) = index;
            }
        }
    }
}

void box(IndexedPicture& p, int x0, int y0, int w, int h, std::uint8_t index) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            p.at(x, y) = index;
        }
    }
}

} // namespace

IndexedPicture placeholderSprites() {
    IndexedPicture p = makePicture(256, 160);
    p.palette = {{0, 0, 0},       {255, 120, 200}, {255, 170, 60},  {90, 150, 255},
                 {230, 230, 230}, {255, 255, 120}, {64, 144, 255},  {159, 255, 111},
                 {255, 255, 64},  {255, 175, 63},  {239, 32, 176},  {255, 111, 95},
                 {175, 239, 255}, {192, 79, 255},  {120, 80, 40},   {20, 16, 32}};
    p.palette.resize(256, Rgb{0, 0, 0});
    for (int c = 0; c < 3; ++c) {
        const std::uint8_t body = static_cast<std::uint8_t>(1 + c);
        for (int pose = 0; pose < 6; ++pose) {
            const int x0 = 32 * pose;
            const int y0 = 32 * c;
            const int tilt = pose / 2 == 1 ? 4 : pose / 2 == 2 ? -4 : 0;
            box(p, x0 + 2, y0 + 20 + tilt / 2, 28, 3, 14); // broom
            disc(p, x0 + 16, y0 + 12 + tilt, 8, body);     // witch
            p.at(x0 + 20 + pose % 2 * 2, y0 + 10 + tilt) = 15;
        }
        disc(p, 32 * c + 16, 128 + 14, 8, 4);      // skeleton
        disc(p, 128 + 16 * c + 8, 128 + 8, 6, body); // lives icon
    }
    box(p, 96 + 6, 128 + 4, 4, 8, 5);   // small star
    box(p, 96 + 4, 128 + 6, 8, 4, 5);
    box(p, 112 + 6, 128 + 2, 4, 12, 5); // large star
    box(p, 112 + 2, 128 + 6, 12, 4, 5);
    for (int k = 0; k < 8; ++k) {
        disc(p, 96 + 8 * (k % 4) + 3, 152 - 8 * (k / 4) + 3, 3, static_cast<std::uint8_t>(6 + k));
    }
    box(p, 128 + 9, 144 + 2, 2, 10, 4); // note stem
    disc(p, 128 + 7, 144 + 12, 2, 4);   // note head
    return p;
}

IndexedPicture placeholderBackdrop() {
    IndexedPicture p = makePicture(320, 240);
    for (int i = 0; i < 256; ++i) {
        p.palette.push_back(Rgb{static_cast<std::uint8_t>(i / 8), static_cast<std::uint8_t>(i / 6),
                                static_cast<std::uint8_t>(40 + i / 3)});
    }
    const double pi = 3.14159265358979323846;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            // Whole periods across the width keep the picture seamless when it wraps.
            const double wave = std::sin(2 * pi * x / 320.0 * 2) * 12 + std::sin(2 * pi * x / 320.0 * 5) * 5;
            const double cloud = std::exp(-std::pow((y - 120 - wave) / 28.0, 2));
            p.at(x, y) = static_cast<std::uint8_t>(std::lround(y / 4.0 + cloud * 150));
        }
    }
    return p;
}

IndexedPicture placeholderIcon() {
    IndexedPicture p = makePicture(32, 32);
    p.palette = {{0, 0, 0}, {40, 30, 90}, {255, 120, 200}, {120, 80, 40}, {255, 255, 255}};
    p.palette.resize(16, Rgb{0, 0, 0});
    box(p, 0, 0, 32, 32, 1);
    box(p, 2, 20, 28, 3, 3);
    disc(p, 16, 12, 8, 2);
    p.at(19, 10) = 4;
    return p;
}

} // namespace artgen
