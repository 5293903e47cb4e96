// DecodeIndexedBmp: palettes where the header's size puts them, plain and RLE4/RLE8 pixel indices.
#include "scene/BmpIndexed.h"

namespace {

// Palette indices of the picture, one byte a pixel, rows in the file's order.
struct Indices {
    long width, height;
    std::vector<unsigned char> index;
    // Pixel (x, y), y counted in the file's row order; writes outside are dropped.
    void Put(long x, long y, unsigned value)
    {
        if (x >= 0 && x < width && y >= 0 && y < height)
            index[static_cast<size_t>(y) * width + x] = static_cast<unsigned char>(value);
    }
};

bool Short(std::string& why)
{
    why = "compressed pixels end before the picture does";
    return false;
}

// Plain rows: 1, 4 or 8 bits a pixel, most significant first, rows padded to 4 bytes.
void ReadRows(const unsigned char* pixels, const BmpHeader& h, Indices& out)
{
    const size_t rowBytes = ((static_cast<size_t>(h.width) * h.bits + 31) / 32) * 4;
    const unsigned perByte = 8 / h.bits, mask = (1u << h.bits) - 1;
    for (long y = 0; y < h.height; ++y) {
        const unsigned char* row = pixels + static_cast<size_t>(y) * rowBytes;
        for (long x = 0; x < h.width; ++x) {
            const unsigned shift = 8 - h.bits * (1 + static_cast<unsigned>(x) % perByte);
            out.Put(x, y, (row[x / perByte] >> shift) & mask);
        }
    }
}

// RLE8 and RLE4: pairs of (count, value) runs and escapes (0, 0) end of line,
// (0, 1) end of picture, (0, 2, dx, dy) move, (0, n) n literal pixels padded to
// 2 bytes. Rows are stored bottom first; pixels past a row's end are dropped.
bool ReadRle(const unsigned char* p, size_t n, bool four, Indices& out, std::string& why)
{
    // The i-th pixel of the bytes from `at`: RLE4 packs two, high nibble first.
    const auto nibble = [four](unsigned byte, unsigned i) {
        return four ? (i % 2 ? byte & 15 : byte >> 4) : byte;
    };
    size_t at = 0;
    long x = 0, y = 0;
    while (y < out.height) {
        if (n - at < 2)
            return Short(why);
        const unsigned count = p[at], code = p[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < out.width; ++i)
                out.Put(x++, y, nibble(code, i));
            continue;
        }
        if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (n - at < 2)
                return Short(why);
            x += p[at];
            y += p[at + 1];
            at += 2;
        } else {
            const size_t bytes = four ? (code + 1) / 2 : code;
            if (n - at < bytes)
                return Short(why);
            for (unsigned i = 0; i < code; ++i)
                out.Put(x++, y, nibble(p[at + (four ? i / 2 : i)], i));
            // Literal runs are padded to a whole 16-bit word; the last may lack its pad.
            const size_t padded = (bytes + 1) & ~size_t(1);
            at += padded <= n - at ? padded : n - at;
        }
    }
    return true;
}

} // namespace

bool DecodeIndexedBmp(const unsigned char* file, size_t size, const BmpHeader& h,
                      std::vector<unsigned char>& rgb, std::string& why)
{
    Indices indices{h.width, h.height,
                    std::vector<unsigned char>(static_cast<size_t>(h.width) * h.height, 0)};
    // The palette starts where the info header ends, whatever its size (the
    // 108- and 124-byte kinds carry colour-space fields before it). Entries are
    // blue, green, red (and a spare byte, except after OS/2's 12-byte header).
    const size_t entry = h.infoSize == 12 ? 3 : 4;
    if (14 + static_cast<unsigned long long>(h.infoSize) + entry * h.colours > size) {
        why = "file is shorter than its palette";
        return false;
    }
    const unsigned char* palette = file + 14 + h.infoSize;
    const bool rle = h.compression == BmpRle8 || h.compression == BmpRle4;
    const unsigned long long rows =
        ((static_cast<unsigned long long>(h.width) * h.bits + 31) / 32) * 4 * h.height;
    if (h.offset > size || (!rle && rows > size - h.offset)) {
        why = "file is shorter than its pixels";
        return false;
    }
    if (!rle)
        ReadRows(file + h.offset, h, indices);
    else if (!ReadRle(file + h.offset, size - h.offset, h.compression == BmpRle4, indices, why))
        return false;

    const size_t rowBytes = (static_cast<size_t>(h.width) * 3 + 3) & ~size_t(3);
    rgb.assign(rowBytes * h.height, 0);
    for (long r = 0; r < h.height; ++r) {
        // Output row 0 is the picture's top row.
        const long y = h.topDown ? r : h.height - 1 - r;
        const unsigned char* in = &indices.index[static_cast<size_t>(y) * h.width];
        unsigned char* out = &rgb[static_cast<size_t>(r) * rowBytes];
        for (long x = 0; x < h.width; ++x, out += 3) {
            if (in[x] >= h.colours)
                continue; // black rather than a read past the palette
            const unsigned char* c = palette + entry * in[x];
            out[0] = c[2];
            out[1] = c[1];
            out[2] = c[0];
        }
    }
    return true;
}
