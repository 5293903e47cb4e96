// Le16, Le32: unsigned little-endian integers read from bytes of a file, whatever the host's order.
#pragma once

#include <cstdint>

inline uint16_t Le16(const unsigned char* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

inline uint32_t Le32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
