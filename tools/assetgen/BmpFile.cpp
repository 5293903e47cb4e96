// Writes pictures as uncompressed 24-bit Windows BMP files.
#include "tools/assetgen/BmpFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

constexpr uint32_t kHeaderBytes = 14 + 40;
constexpr uint32_t kPixelsPerMetre = 2835; // 72 dpi, only informative

} // namespace

std::vector<uint8_t> EncodeBmp(const Image& image)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytes + pixelBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    PutU32(out, kHeaderBytes + pixelBytes);
    PutU32(out, 0);
    PutU32(out, kHeaderBytes);
    // BITMAPINFOHEADER: positive height means bottom-up rows.
    PutU32(out, 40);
    PutU32(out, static_cast<uint32_t>(image.width));
    PutU32(out, static_cast<uint32_t>(image.height));
    PutU16(out, 1);  // planes
    PutU16(out, 24); // bits per pixel
    PutU32(out, 0);  // BI_RGB, no compression
    PutU32(out, pixelBytes);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0); // colours used
    PutU32(out, 0); // important colours
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = &image.rgb[static_cast<size_t>(y) * image.width * 3];
        for (int x = 0; x < image.width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3 + 0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("Unable to create '" + path + "': " + strerror(errno));
    size_t written = fwrite(bytes.data(), 1, bytes.size(), f);
    int closed = fclose(f);
    if (written != bytes.size() || closed != 0)
        throw std::runtime_error("Unable to write '" + path + "'");
}

void WriteBmp(const std::string& path, const Image& image)
{
    WriteFileBytes(path, EncodeBmp(image));
}
