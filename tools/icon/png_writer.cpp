#include "png_writer.h"

#include <algorithm>
#include <array>

namespace icon {

namespace {

std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
    putU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putU32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

constexpr int MIN_MATCH = 3;
constexpr int MAX_MATCH = 258;

// Deflate's length and distance codes: the first value of each and its
// extra bits.
constexpr std::array<int, 29> LENGTH_BASE{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LENGTH_EXTRA{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> DISTANCE_BASE{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> DISTANCE_EXTRA{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits in deflate's order: values from their lowest bit up, Huffman codes
// from their highest.
struct BitWriter {
    std::vector<std::uint8_t>& out;
    std::uint32_t pending = 0;
    int count = 0;

    void bits(std::uint32_t value, int n) {
        for (int i = 0; i < n; ++i) {
            pending |= ((value >> i) & 1u) << count;
            if (++count == 8) {
                out.push_back(static_cast<std::uint8_t>(pending));
                pending = 0;
                count = 0;
            }
        }
    }
    void code(std::uint32_t value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            bits(value >> i, 1);
        }
    }
    void flush() {
        if (count > 0) {
            out.push_back(static_cast<std::uint8_t>(pending));
            pending = 0;
            count = 0;
        }
    }
};

// A symbol of the fixed literal/length code.
void putSymbol(BitWriter& writer, int symbol) {
    const auto s = static_cast<std::uint32_t>(symbol);
    if (symbol < 144) {
        writer.code(0x30 + s, 8);
    } else if (symbol < 256) {
        writer.code(0x190 + s - 144, 9);
    } else if (symbol < 280) {
        writer.code(s - 256, 7);
    } else {
        writer.code(0xC0 + s - 280, 8);
    }
}

// The last entry of `bases` that is at most `value`.
template <std::size_t N> int codeOf(const std::array<int, N>& bases, int value) {
    int code = 0;
    while (code + 1 < static_cast<int>(N) && bases[static_cast<std::size_t>(code + 1)] <= value) {
        ++code;
    }
    return code;
}

void putMatch(BitWriter& writer, int length, int distance) {
    const int l = codeOf(LENGTH_BASE, length);
    putSymbol(writer, 257 + l);
    writer.bits(static_cast<std::uint32_t>(length - LENGTH_BASE[static_cast<std::size_t>(l)]),
                LENGTH_EXTRA[static_cast<std::size_t>(l)]);
    const int d = codeOf(DISTANCE_BASE, distance);
    writer.code(static_cast<std::uint32_t>(d), 5);
    writer.bits(static_cast<std::uint32_t>(distance - DISTANCE_BASE[static_cast<std::size_t>(d)]),
                DISTANCE_EXTRA[static_cast<std::size_t>(d)]);
}

// How many bytes from `at` on repeat those `distance` bytes before them.
int matchLength(const std::vector<std::uint8_t>& raw, std::size_t at, std::size_t distance) {
    if (distance == 0 || distance > at) {
        return 0;
    }
    int length = 0;
    while (length < MAX_MATCH && at + static_cast<std::size_t>(length) < raw.size() &&
           raw[at + static_cast<std::size_t>(length)] ==
               raw[at + static_cast<std::size_t>(length) - distance]) {
        ++length;
    }
    return length;
}

// A zlib stream of one deflate block with the fixed codes around `raw`, a
// picture's rows of `stride` bytes. Pixel art scaled by nearest neighbour
// repeats the pixel on the left and the row above, so only those two
// places are searched for matches: a 512 px icon shrinks to a few KiB.
std::vector<std::uint8_t> compressRows(const std::vector<std::uint8_t>& raw, std::size_t stride) {
    std::vector<std::uint8_t> out{0x78, 0x01}; // deflate, 32 KiB window, no dictionary
    BitWriter writer{out};
    writer.bits(1, 1); // BFINAL
    writer.bits(1, 2); // BTYPE 01: the fixed codes
    for (std::size_t at = 0; at < raw.size();) {
        int length = 0;
        std::size_t distance = 0;
        for (const std::size_t candidate : {std::size_t{4}, stride}) {
            const int found = matchLength(raw, at, candidate);
            if (found > length) {
                length = found;
                distance = candidate;
            }
        }
        if (length >= MIN_MATCH) {
            putMatch(writer, length, static_cast<int>(distance));
            at += static_cast<std::size_t>(length);
        } else {
            putSymbol(writer, raw[at]);
            ++at;
        }
    }
    putSymbol(writer, 256); // end of block
    writer.flush();
    putU32(out, adler32(raw.data(), raw.size()));
    return out;
}

} // namespace

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = crcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uint32_t MOD = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + bytes[i]) % MOD;
        b = (b + a) % MOD;
    }
    return b << 16 | a;
}

std::vector<std::uint8_t> encodePng(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != pixelIndex(image.width, 0, image.height)) {
        return {};
    }
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<std::uint8_t> header;
    putU32(header, static_cast<std::uint32_t>(image.width));
    putU32(header, static_cast<std::uint32_t>(image.height));
    // 8 bits per channel, colour type 6 (RGBA), deflate, adaptive filters, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putChunk(out, "IHDR", header);

    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height) *
                (1 + 4 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[pixelIndex(image.width, x, y)];
            raw.insert(raw.end(),
                       {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                        static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
        }
    }
    putChunk(out, "IDAT", compressRows(raw, 1 + 4 * static_cast<std::size_t>(image.width)));
    putChunk(out, "IEND", {});
    return out;
}

} // namespace icon
