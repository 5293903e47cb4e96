// ReadBmpHeader: what a BMP header claims, checked before anything allocates or reads pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes of the file ReadBmpHeader looks at: the file header, the 40 bytes every
// info header of Windows starts with, and the three colour masks after them.
constexpr size_t BmpHeaderBytes = 66;

enum : uint32_t { BmpRgb = 0, BmpRle8 = 1, BmpRle4 = 2, BmpBitfields = 3 };

struct BmpHeader {
    uint32_t offset;      // file offset of the pixels
    uint32_t infoSize;    // 12 (OS/2), 40, 52, 56, 64, 108 or 124 bytes; the palette follows it
    long width, height;   // pixels, both positive
    bool topDown;         // rows stored top first (a negative height in the file)
    uint32_t bits;        // 1, 4, 8, 16, 24 or 32
    uint32_t compression; // BmpRgb, BmpRle8, BmpRle4 or BmpBitfields
    uint32_t colours;     // palette entries for 1 to 8 bits: the colours-used field or 2^bits
};

// `h` holds the file's first bytes (up to BmpHeaderBytes of them), `fileSize`
// its length. True when the header describes a picture we can read from a file
// of that length, filling `out`; otherwise false with a short reason in `why`.
bool ReadBmpHeader(const unsigned char* h, size_t size, long fileSize, BmpHeader& out,
                   std::string& why);

// True when the regular file at `path` starts with a BMP's "BM" signature.
// Call it on regular files only: reading a pipe would wait for a writer.
bool FileStartsLikeBmp(const char* path);
