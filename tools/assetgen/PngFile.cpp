// Writes pictures as PNG files for people to look at (contact sheets, renders).
#include "tools/assetgen/PngFile.h"

#include "tools/assetgen/BmpFile.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>((v >> shift) & 0xFF));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body)
{
    PutBigU32(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigU32(out, Crc32(&out[start], out.size() - start));
}

// zlib stream of stored deflate blocks (at most 65535 bytes each).
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n & 0xFF));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n & 0xFF));
        z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0; // Adler-32
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigU32(z, (b << 16) | a);
    return z;
}

// RGB (colour type 2) without `alpha`, RGBA (colour type 6) with it.
std::vector<uint8_t> Encode(const Image& image, const std::vector<uint8_t>* alpha)
{
    const int channels = alpha ? 4 : 3;
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigU32(header, static_cast<uint32_t>(image.width));
    PutBigU32(header, static_cast<uint32_t>(image.height));
    const uint8_t colourType = alpha ? 6 : 2;
    header.insert(header.end(), {8, colourType, 0, 0, 0}); // 8 bits a channel, no interlace
    PutChunk(out, "IHDR", header);
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (image.width * channels + 1));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // filter: none
        auto row = image.rgb.begin() + static_cast<long>(y) * image.width * 3;
        if (!alpha) {
            raw.insert(raw.end(), row, row + image.width * 3);
            continue;
        }
        for (int x = 0; x < image.width; ++x) {
            raw.insert(raw.end(), row + x * 3, row + x * 3 + 3);
            raw.push_back((*alpha)[static_cast<size_t>(y) * image.width + x]);
        }
    }
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

} // namespace

std::vector<uint8_t> EncodePng(const Image& image)
{
    return Encode(image, nullptr);
}

std::vector<uint8_t> EncodePng(const Image& image, const std::vector<uint8_t>& alpha)
{
    if (alpha.size() != static_cast<size_t>(image.width) * image.height)
        throw std::invalid_argument("PNG alpha plane does not match the picture's size");
    return Encode(image, &alpha);
}

void WritePng(const std::string& path, const Image& image)
{
    WriteFileBytes(path, EncodePng(image));
}

void WritePng(const std::string& path, const Image& image, const std::vector<uint8_t>& alpha)
{
    WriteFileBytes(path, EncodePng(image, alpha));
}
