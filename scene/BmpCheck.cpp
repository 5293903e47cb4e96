// CheckBmpHeader: rejects BMP headers whose sizes would make SDL allocate or read absurdly.
#include "scene/BmpCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "scene/LittleEndian.h"

// Largest width or height we accept, pixels (far above any GL's texture limit here).
static const int BmpMaxSide = 16384;

bool CheckBmpHeader(const unsigned char* h, size_t size, long fileSize, std::string& why)
{
    if (size < 26 || h[0] != 'B' || h[1] != 'M') {
        why = "not a BMP file";
        return false;
    }
    const uint32_t offset = Le32(h + 10);
    const uint32_t infoSize = Le32(h + 14);
    long width, height;
    uint32_t bits;
    if (infoSize == 12) { // the old OS/2 header: 16-bit sizes
        width = static_cast<long>(Le16(h + 18));
        height = static_cast<long>(Le16(h + 20));
        bits = Le16(h + 24);
    } else {
        if (infoSize < 40 || size < 34) {
            why = "unsupported BMP header";
            return false;
        }
        width = static_cast<int32_t>(Le32(h + 18));
        height = std::labs(static_cast<int32_t>(Le32(h + 22))); // negative: rows top down
        bits = Le16(h + 28);
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        why = "unsupported bit depth";
        return false;
    }
    if (width <= 0 || height <= 0 || width > BmpMaxSide || height > BmpMaxSide) {
        why = "unsupported picture size";
        return false;
    }
    // Rows are padded to 4 bytes; a file shorter than its pixels is damaged.
    const long long rowBytes = ((static_cast<long long>(width) * bits + 31) / 32) * 4;
    if (static_cast<long long>(offset) + rowBytes * height > fileSize) {
        why = "file is shorter than its pixels";
        return false;
    }
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
