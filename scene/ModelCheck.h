// Checks that keep broken or hostile 3DS files away from lib3ds 1.3, which trusts its input.
#pragma once

#include <cstddef>
#include <string>

struct Lib3dsFile;

// Largest model file we read (bytes); the game's own models are far smaller.
constexpr size_t MaxModelFileSize = 64u * 1024u * 1024u;

// Walks the chunk tree of a whole 3DS file the way lib3ds 1.3 reads it, before
// lib3ds sees it. True when the main chunk (0x4D4D) lies inside the `size`
// bytes (what follows it is never read, by the check or by lib3ds), every chunk lib3ds walks is at least 6 bytes and lies inside its parent, and
// every count, string and value lib3ds reads is backed by bytes of its chunk.
// Also refuses what would make lib3ds itself corrupt memory or never return:
// face indices past the point count, material groups naming faces that do not
// exist, more gradient colours than it has room for, a node that is its own
// parent, keyframe tracks too long or with frames too large for exact float
// arithmetic. Otherwise false, with the first problem found in `why` (may be null).
bool Check3dsChunks(const unsigned char* data, size_t size, std::string* why);

// Checks what lib3ds made of a file, before anything draws it: every face's
// point indices below the point count, texel count 0 or at least the point
// count (a point's coordinates are the texel of the same index), every
// name lib3ds stores terminated inside its field, and no point where
// lib3ds_mesh_calculate_normals would overrun its fixed table of 128 normals.
// False with the problem in `why` (may be null).
bool Check3dsModel(const Lib3dsFile* file, std::string* why);
