// ReadBmpHeader: rejects BMP headers whose sizes would make the loader allocate or read absurdly.
#include "scene/BmpCheck.h"

#include <cstdio>
#include <cstdlib>

#include "scene/LittleEndian.h"

namespace {

// Largest width or height we accept, pixels (far above any GL's texture limit here).
constexpr int BmpMaxSide = 16384;
// A run of RLE packs at most 255 pixels into 2 bytes. Writers may also skip
// stretches (deltas, early ends of line); beyond 16 times the densest runs, a
// small file's claimed size is taken as absurd rather than allocated.
constexpr long long RlePixelsPerByte = 255 / 2 * 16;

bool Refuse(std::string& why, const char* text)
{
    why = text;
    return false;
}

// The compression field and the depth agree, and we decode that combination.
bool CompressionFits(const BmpHeader& b, std::string& why)
{
    switch (b.compression) {
    case BmpRgb: return true;
    case BmpRle8: return b.bits == 8 || Refuse(why, "RLE8 compression needs 8-bit pixels");
    case BmpRle4: return b.bits == 4 || Refuse(why, "RLE4 compression needs 4-bit pixels");
    case BmpBitfields:
        // OS/2's 64-byte header uses 3 for its Huffman coding.
        if (b.infoSize == 64 || (b.bits != 16 && b.bits != 32))
            return Refuse(why, "unsupported compression");
        return true;
    default: return Refuse(why, "unsupported compression (JPEG or PNG inside a BMP, say)");
    }
}

} // namespace

bool ReadBmpHeader(const unsigned char* h, size_t size, long fileSize, BmpHeader& b,
                   std::string& why)
{
    if (size < 26 || h[0] != 'B' || h[1] != 'M')
        return Refuse(why, "not a BMP file");
    b = BmpHeader{};
    b.offset = Le32(h + 10);
    b.infoSize = Le32(h + 14);
    if (b.infoSize == 12) { // the old OS/2 header: 16-bit sizes, no compression
        b.width = static_cast<long>(Le16(h + 18));
        b.height = static_cast<long>(Le16(h + 20));
        b.bits = Le16(h + 24);
    } else {
        if (b.infoSize < 40 || size < 54)
            return Refuse(why, b.infoSize < 40 ? "unsupported BMP header" : "file is shorter than its header");
        b.width = static_cast<int32_t>(Le32(h + 18));
        const int32_t height = static_cast<int32_t>(Le32(h + 22));
        b.topDown = height < 0;
        b.height = std::labs(height);
        b.bits = Le16(h + 28);
        b.compression = Le32(h + 30);
        b.colours = Le32(h + 46);
    }
    if (b.bits != 1 && b.bits != 4 && b.bits != 8 && b.bits != 16 && b.bits != 24 && b.bits != 32)
        return Refuse(why, "unsupported bit depth");
    if (b.width <= 0 || b.height <= 0 || b.width > BmpMaxSide || b.height > BmpMaxSide)
        return Refuse(why, "unsupported picture size");
    if (!CompressionFits(b, why))
        return false;
    if (b.compression == BmpBitfields) {
        // The masks follow a 40-byte header and open the longer ones: the same bytes.
        if (size < BmpHeaderBytes)
            return Refuse(why, "file is shorter than its colour masks");
        if (Le32(h + 54) == 0 && Le32(h + 58) == 0 && Le32(h + 62) == 0)
            return Refuse(why, "bit-field pixels without colour masks (a broken writer)");
    }
    if (b.bits <= 8) {
        const uint32_t most = 1u << b.bits;
        if (b.colours > most)
            return Refuse(why, "palette holds more colours than the pixels can name");
        if (b.colours == 0)
            b.colours = most;
        const long long entry = b.infoSize == 12 ? 3 : 4;
        if (14LL + b.infoSize + entry * b.colours > fileSize)
            return Refuse(why, "file is shorter than its palette");
    }
    const long long pixels = static_cast<long long>(b.width) * b.height;
    if (b.compression == BmpRle8 || b.compression == BmpRle4) {
        if (b.topDown)
            return Refuse(why, "compressed pixels stored top row first");
        // At least an end-of-picture marker (2 bytes), and not absurdly few bytes.
        const long long data = static_cast<long long>(fileSize) - b.offset;
        if (data < 2 || pixels > data * RlePixelsPerByte)
            return Refuse(why, "file is shorter than its compressed pixels");
        return true;
    }
    // Rows are padded to 4 bytes; a file shorter than its pixels is damaged.
    const long long rowBytes = ((static_cast<long long>(b.width) * b.bits + 31) / 32) * 4;
    if (static_cast<long long>(b.offset) + rowBytes * b.height > fileSize)
        return Refuse(why, "file is shorter than its pixels");
    return true;
}

bool FileStartsLikeBmp(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return false;
    unsigned char magic[2] = {0, 0};
    const size_t got = fread(magic, 1, sizeof magic, f);
    fclose(f);
    return got == 2 && magic[0] == 'B' && magic[1] == 'M';
}
