// Reading a 3DS file into lib3ds only after the file has passed our own checks.
#include "scene/ModelFile.h"

#include <lib3ds/file.h>
#include <lib3ds/io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "scene/LittleEndian.h"
#include "scene/ModelCheck.h"
#include "scene/RegularFile.h"

namespace {

// The bytes lib3ds reads through its I/O callbacks: the very bytes we checked,
// so the file cannot change between the check and the parse.
struct MemoryStream {
    const unsigned char* data;
    long size;
    long at;
};

Lib3dsBool StreamError(void*)
{
    return LIB3DS_FALSE;
}

long StreamSeek(void* self, long offset, Lib3dsIoSeek origin)
{
    MemoryStream* s = static_cast<MemoryStream*>(self);
    const long base = origin == LIB3DS_SEEK_SET ? 0 : origin == LIB3DS_SEEK_CUR ? s->at : s->size;
    if (offset < -base || offset > s->size - base)
        return -1;
    s->at = base + offset;
    return 0;
}

long StreamTell(void* self)
{
    return static_cast<MemoryStream*>(self)->at;
}

size_t StreamRead(void* self, void* buffer, size_t size)
{
    MemoryStream* s = static_cast<MemoryStream*>(self);
    const size_t left = size_t(s->size - s->at);
    const size_t n = size < left ? size : left;
    memcpy(buffer, s->data + s->at, n);
    s->at += long(n);
    return n;
}

size_t StreamWrite(void*, const void*, size_t)
{
    return 0;
}

// The whole file, up to one byte more than MaxModelFileSize so an oversized
// file is seen as such. False when it cannot be opened or read.
bool ReadWhole(const char* fileName, std::vector<unsigned char>* bytes, std::string* why)
{
    if (NotRegularFile(fileName)) {
        *why = "not a regular file";
        return false;
    }
    FILE* f = fopen(fileName, "rb");
    if (!f) {
        *why = strerror(errno);
        return false;
    }
    unsigned char block[65536];
    size_t n = 0;
    while (bytes->size() <= MaxModelFileSize && (n = fread(block, 1, sizeof block, f)) > 0)
        bytes->insert(bytes->end(), block, block + n);
    const bool failed = ferror(f) != 0;
    fclose(f);
    if (failed)
        *why = "read error";
    return !failed;
}

} // namespace

// The checked, parsed model, or null with the reason in `why`.
static Lib3dsFile* Parse(const char* fileName, std::string* why)
{
    std::vector<unsigned char> bytes;
    if (!ReadWhole(fileName, &bytes, why) || !Check3dsChunks(bytes.data(), bytes.size(), why))
        return nullptr;
    // lib3ds sees the main chunk alone: the checked span, not what follows it.
    MemoryStream stream{bytes.data(), long(Le32(bytes.data() + 2)), 0};
    Lib3dsIo* io = lib3ds_io_new(&stream, StreamError, StreamSeek, StreamTell, StreamRead, StreamWrite);
    Lib3dsFile* file = io ? lib3ds_file_new() : nullptr;
    if (!file) {
        *why = "out of memory";
    } else if (!lib3ds_file_read(file, io)) {
        *why = "lib3ds could not read it";
    } else if (Check3dsModel(file, why)) {
        lib3ds_io_free(io);
        return file;
    }
    if (file)
        lib3ds_file_free(file);
    if (io)
        lib3ds_io_free(io);
    return nullptr;
}

Lib3dsFile* Read3dsFile(const char* fileName, std::string* why)
{
    std::string reason;
    Lib3dsFile* file = Parse(fileName, &reason);
    if (!file && why)
        *why = reason;
    return file;
}
