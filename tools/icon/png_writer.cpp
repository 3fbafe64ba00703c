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

// Bits of a deflate stream, first bit lowest.
struct BitWriter {
    std::vector<std::uint8_t>& out;
    std::uint32_t pending = 0;
    int count = 0;

    void put(std::uint32_t bits, int length) {
        pending |= bits << count;
        count += length;
        while (count >= 8) {
            out.push_back(static_cast<std::uint8_t>(pending));
            pending >>= 8;
            count -= 8;
        }
    }

    // A Huffman code goes first bit highest.
    void putCode(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) {
            reversed |= ((code >> i) & 1u) << (length - 1 - i);
        }
        put(reversed, length);
    }

    void flush() {
        if (count > 0) {
            out.push_back(static_cast<std::uint8_t>(pending));
        }
        pending = 0;
        count = 0;
    }
};

// A literal byte, the end of the block or a length code, in the fixed codes.
void putSymbol(BitWriter& bits, int symbol) {
    if (symbol < 144) {
        bits.putCode(static_cast<std::uint32_t>(0x30 + symbol), 8);
    } else if (symbol < 256) {
        bits.putCode(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
    } else if (symbol < 280) {
        bits.putCode(static_cast<std::uint32_t>(symbol - 256), 7);
    } else {
        bits.putCode(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
    }
}

constexpr int LENGTH_BASE[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LENGTH_EXTRA[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int DISTANCE_BASE[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                 33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DISTANCE_EXTRA[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr int MIN_MATCH = 3;
constexpr int MAX_MATCH = 258;
constexpr std::size_t WINDOW = 32768;
constexpr int CHAIN = 64; // earlier places tried per byte

void putMatch(BitWriter& bits, int length, int distance) {
    int code = 0;
    while (code + 1 < 29 && LENGTH_BASE[code + 1] <= length) {
        ++code;
    }
    putSymbol(bits, 257 + code);
    bits.put(static_cast<std::uint32_t>(length - LENGTH_BASE[code]), LENGTH_EXTRA[code]);
    int dcode = 0;
    while (dcode + 1 < 30 && DISTANCE_BASE[dcode + 1] <= distance) {
        ++dcode;
    }
    bits.putCode(static_cast<std::uint32_t>(dcode), 5);
    bits.put(static_cast<std::uint32_t>(distance - DISTANCE_BASE[dcode]), DISTANCE_EXTRA[dcode]);
}

// A zlib stream around `raw`: one deflate block in the fixed codes, each
// run that came before (a pixel repeated, a row repeated: pixel art scaled
// up is mostly that) written as a back-reference.
std::vector<std::uint8_t> deflateZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01}; // deflate, 32 KiB window, no dictionary
    BitWriter bits{out};
    bits.put(1, 1); // the last block
    bits.put(1, 2); // fixed codes
    // The places each three bytes were last seen, newest first.
    constexpr std::size_t HASH_SIZE = 1u << 15;
    std::vector<std::int64_t> head(HASH_SIZE, -1);
    std::vector<std::int64_t> previous(raw.size(), -1);
    auto hashAt = [&](std::size_t at) {
        return (static_cast<std::size_t>(raw[at]) << 10 ^
                static_cast<std::size_t>(raw[at + 1]) << 5 ^ raw[at + 2]) &
               (HASH_SIZE - 1);
    };
    auto remember = [&](std::size_t at) {
        if (at + MIN_MATCH <= raw.size()) {
            const std::size_t h = hashAt(at);
            previous[at] = head[h];
            head[h] = static_cast<std::int64_t>(at);
        }
    };
    std::size_t at = 0;
    while (at < raw.size()) {
        int bestLength = 0;
        std::size_t bestDistance = 0;
        if (at + MIN_MATCH <= raw.size()) {
            const std::size_t limit = std::min<std::size_t>(MAX_MATCH, raw.size() - at);
            std::int64_t candidate = head[hashAt(at)];
            for (int tries = 0; candidate >= 0 && tries < CHAIN; ++tries) {
                const auto from = static_cast<std::size_t>(candidate);
                if (at - from > WINDOW) {
                    break;
                }
                std::size_t length = 0;
                while (length < limit && raw[from + length] == raw[at + length]) {
                    ++length;
                }
                if (static_cast<int>(length) > bestLength) {
                    bestLength = static_cast<int>(length);
                    bestDistance = at - from;
                }
                candidate = previous[from];
            }
        }
        if (bestLength >= MIN_MATCH) {
            putMatch(bits, bestLength, static_cast<int>(bestDistance));
            for (int i = 0; i < bestLength; ++i) {
                remember(at + static_cast<std::size_t>(i));
            }
            at += static_cast<std::size_t>(bestLength);
        } else {
            putSymbol(bits, raw[at]);
            remember(at);
            ++at;
        }
    }
    putSymbol(bits, 256);
    bits.flush();
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
    putChunk(out, "IDAT", deflateZlib(raw));
    putChunk(out, "IEND", {});
    return out;
}

} // namespace icon
