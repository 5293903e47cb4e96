// Chunk-tree walk of a 3DS file as lib3ds 1.3 reads it, so lib3ds only ever sees sound files.
#include "scene/ModelCheck.h"

#include <lib3ds/chunk.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "scene/LittleEndian.h"

namespace {

constexpr size_t HeaderSize = 6;     // chunk id (word) + size (dword)
constexpr size_t NameSize = 64;      // lib3ds's name fields and string limit
constexpr size_t KfNameSize = 13;    // the key-frame header's file name
constexpr size_t MorphNameSize = 11; // a morph key's object name
constexpr size_t TrackHeader = 14;   // flags word, two unused dwords, key count
constexpr int32_t MaxTrackKeys = 4096;   // lib3ds inserts keys in O(n^2)
constexpr int32_t MaxFileKeys = 65536;
// Frames beyond 2^23 lose exactness as floats, and lib3ds's looping-track
// evaluation then finds no key interval and follows a null pointer.
constexpr int32_t MaxFrame = 1 << 23;
constexpr unsigned MaxGradientColours = 3; // lib3ds's fixed table per kind
// lib3ds keeps materials, objects and nodes in sorted lists, inserting each in
// O(n), and walks node trees recursively: bound both the time and the depth.
constexpr unsigned MaxEntries = 4096;

enum class Node { Ambient, Object, Camera, Target, Light, Spot };
enum class Key { Bool, Lin1, Lin3, Quat, Morph }; // what follows each key's tcb part

struct Chunk {
    uint16_t id;
    size_t begin; // offset of the header
    size_t data;  // offset of the first byte after the header
    size_t end;   // one past the last byte
};

class CChunkWalker {
public:
    CChunkWalker(const unsigned char* fileBytes, size_t fileSize)
        : bytes(fileBytes), size(fileSize) {}

    bool File();
    std::string why;

private:
    bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));
    uint16_t Word(size_t at) const { return Le16(bytes + at); }
    uint32_t Dword(size_t at) const { return Le32(bytes + at); }

    // Each sub-chunk of `parent` from offset `from` on, in order, to visit(child).
    template <class Visit> bool Children(const Chunk& parent, size_t from, Visit visit);
    // `count` bytes from `at` lie inside `c`.
    bool Has(const Chunk& c, size_t at, size_t count);
    bool Data(const Chunk& c, size_t count) { return Has(c, c.data, count); }
    // A string from `at` that lib3ds reads into a `limit`-byte field: its
    // terminator lies inside the chunk and within `limit` bytes. `after` gets
    // the offset past the terminator.
    bool String(const Chunk& c, size_t at, size_t limit, size_t* after);

    bool Mdata(const Chunk& c);
    bool Colours(const Chunk& c, size_t from); // colour chunks of any container
    bool Gradient(const Chunk& c);
    bool Viewport(const Chunk& c);
    bool DefaultView(const Chunk& c);
    bool Material(const Chunk& c);
    bool TextureMap(const Chunk& c);
    bool Percentage(const Chunk& c);
    bool NamedObject(const Chunk& c);
    bool Light(const Chunk& c);
    bool Spotlight(const Chunk& c);
    bool Camera(const Chunk& c);
    bool Mesh(const Chunk& c);
    bool FaceArray(const Chunk& c, uint32_t* faces, size_t* faceData);
    bool Kfdata(const Chunk& c);
    bool NodeChunk(const Chunk& c, Node type, uint16_t ordinal);
    bool Track(const Chunk& c, Key key);

    // Counts one more material, named object or node of `kind`.
    bool Count(unsigned* entries, const char* kind);

    const unsigned char* bytes;
    size_t size;
    int32_t keysLeft = MaxFileKeys;
    unsigned materials = 0, objects = 0, nodes = 0, views = 0;
};

bool CChunkWalker::Count(unsigned* entries, const char* kind)
{
    if (++*entries <= MaxEntries)
        return true;
    return Fail("more than %u %s", MaxEntries, kind);
}

bool CChunkWalker::Fail(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    why = text;
    return false;
}

template <class Visit> bool CChunkWalker::Children(const Chunk& parent, size_t from, Visit visit)
{
    size_t at = from;
    while (at < parent.end) {
        if (parent.end - at < HeaderSize)
            return Fail("chunk 0x%04X: %zu stray bytes at offset %zu", parent.id, parent.end - at, at);
        const uint32_t length = Dword(at + 2);
        Chunk child{Word(at), at, at + HeaderSize, 0};
        if (length < HeaderSize)
            return Fail("chunk 0x%04X at offset %zu: size %u is below 6", child.id, at, length);
        if (length > parent.end - at)
            return Fail("chunk 0x%04X at offset %zu: size %u runs past its parent", child.id, at,
                        length);
        child.end = at + length;
        if (!visit(child))
            return false;
        at = child.end;
    }
    return true;
}

bool CChunkWalker::Has(const Chunk& c, size_t at, size_t count)
{
    if (at <= c.end && count <= c.end - at)
        return true;
    return Fail("chunk 0x%04X at offset %zu: %zu bytes of data needed at offset %zu, chunk ends at %zu",
                c.id, c.begin, count, at, c.end);
}

bool CChunkWalker::String(const Chunk& c, size_t at, size_t limit, size_t* after)
{
    for (size_t i = 0; i < limit && at + i < c.end; ++i) {
        if (bytes[at + i] == 0) {
            *after = at + i + 1;
            return true;
        }
    }
    return Fail("chunk 0x%04X at offset %zu: string at offset %zu is not terminated within %zu bytes",
                c.id, c.begin, at, limit);
}

bool CChunkWalker::File()
{
    if (size < HeaderSize)
        return Fail("%zu bytes is too short for a 3DS file", size);
    if (Word(0) != LIB3DS_M3DMAGIC)
        return Fail("main chunk is 0x%04X, not 0x4D4D", Word(0));
    // Exporters and transfer tools leave bytes after the main chunk (padding
    // to a block, say); lib3ds never reads them, so only the chunk's span counts.
    const uint32_t length = Dword(2);
    if (length < HeaderSize || length > size)
        return Fail("main chunk says %u bytes, the file has %zu", length, size);
    const Chunk main{LIB3DS_M3DMAGIC, 0, HeaderSize, length};
    return Children(main, main.data, [this](const Chunk& c) {
        switch (c.id) {
        case LIB3DS_M3D_VERSION: return Data(c, 4);
        case LIB3DS_MDATA: return Mdata(c);
        case LIB3DS_KFDATA: return Kfdata(c);
        default: return true; // lib3ds skips it
        }
    });
}

bool CChunkWalker::Mdata(const Chunk& c)
{
    return Children(c, c.data, [this](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_MESH_VERSION:
        case LIB3DS_MASTER_SCALE:
        case LIB3DS_LO_SHADOW_BIAS:
        case LIB3DS_HI_SHADOW_BIAS:
        case LIB3DS_SHADOW_RANGE:
        case LIB3DS_SHADOW_FILTER:
        case LIB3DS_RAY_BIAS: return Data(d, 4);
        case LIB3DS_SHADOW_MAP_SIZE:
        case LIB3DS_SHADOW_SAMPLES: return Data(d, 2);
        case LIB3DS_O_CONSTS: return Data(d, 12);
        case LIB3DS_VIEWPORT_LAYOUT: return Viewport(d);
        case LIB3DS_DEFAULT_VIEW: return DefaultView(d);
        case LIB3DS_AMBIENT_LIGHT:
        case LIB3DS_SOLID_BGND: return Colours(d, d.data);
        case LIB3DS_BIT_MAP: return String(d, d.data, NameSize, &after);
        case LIB3DS_V_GRADIENT: return Gradient(d);
        case LIB3DS_FOG:
        case LIB3DS_LAYER_FOG: return Data(d, 16) && Colours(d, d.data + 16);
        case LIB3DS_DISTANCE_CUE: // reads no sub-chunk data, but walks them
            return Data(d, 16) && Children(d, d.data + 16, [](const Chunk&) { return true; });
        case LIB3DS_MAT_ENTRY: return Count(&materials, "materials") && Material(d);
        case LIB3DS_NAMED_OBJECT: return NamedObject(d);
        default: return true;
        }
    });
}

bool CChunkWalker::Colours(const Chunk& c, size_t from)
{
    return Children(c, from, [this](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_COLOR_F:
        case LIB3DS_LIN_COLOR_F: return Data(d, 12);
        case LIB3DS_COLOR_24:
        case LIB3DS_LIN_COLOR_24: return Data(d, 3);
        default: return true;
        }
    });
}

bool CChunkWalker::Gradient(const Chunk& c)
{
    unsigned gamma = 0, linear = 0;
    if (!Data(c, 4))
        return false;
    return Children(c, c.data + 4, [&](const Chunk& d) {
        if (d.id != LIB3DS_COLOR_F && d.id != LIB3DS_LIN_COLOR_F)
            return true;
        unsigned& n = d.id == LIB3DS_COLOR_F ? gamma : linear;
        if (++n > MaxGradientColours)
            return Fail("gradient at offset %zu has more than 3 colours of one kind", c.begin);
        return Data(d, 12);
    });
}

bool CChunkWalker::Viewport(const Chunk& c)
{
    if (!Data(c, 14))
        return false;
    return Children(c, c.data + 14, [this](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_VIEWPORT_SIZE: return Data(d, 8);
        case LIB3DS_VIEWPORT_DATA_3: // one view; lib3ds grows its table by one each
            return Count(&views, "views") && Data(d, 49);
        default: return true;
        }
    });
}

bool CChunkWalker::DefaultView(const Chunk& c)
{
    return Children(c, c.data, [this](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_VIEW_TOP: case LIB3DS_VIEW_BOTTOM: case LIB3DS_VIEW_LEFT:
        case LIB3DS_VIEW_RIGHT: case LIB3DS_VIEW_FRONT: case LIB3DS_VIEW_BACK:
            return Data(d, 16);
        case LIB3DS_VIEW_USER: return Data(d, 28);
        case LIB3DS_VIEW_CAMERA: return Data(d, 11); // a fixed 11-byte name
        default: return true;
        }
    });
}

bool CChunkWalker::Material(const Chunk& c)
{
    return Children(c, c.data, [this](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_MAT_NAME: return String(d, d.data, NameSize, &after);
        case LIB3DS_MAT_AMBIENT:
        case LIB3DS_MAT_DIFFUSE:
        case LIB3DS_MAT_SPECULAR: return Colours(d, d.data);
        case LIB3DS_MAT_SHININESS:
        case LIB3DS_MAT_SHIN2PCT:
        case LIB3DS_MAT_TRANSPARENCY:
        case LIB3DS_MAT_XPFALL:
        case LIB3DS_MAT_SELF_ILPCT:
        case LIB3DS_MAT_REFBLUR: return Percentage(d);
        case LIB3DS_MAT_SHADING: return Data(d, 2);
        case LIB3DS_MAT_WIRE_SIZE: return Data(d, 4);
        case LIB3DS_MAT_ACUBIC: return Data(d, 12);
        case LIB3DS_MAT_TEXMAP: case LIB3DS_MAT_TEXMASK:
        case LIB3DS_MAT_TEX2MAP: case LIB3DS_MAT_TEX2MASK:
        case LIB3DS_MAT_OPACMAP: case LIB3DS_MAT_OPACMASK:
        case LIB3DS_MAT_BUMPMAP: case LIB3DS_MAT_BUMPMASK:
        case LIB3DS_MAT_SPECMAP: case LIB3DS_MAT_SPECMASK:
        case LIB3DS_MAT_SHINMAP: case LIB3DS_MAT_SHINMASK:
        case LIB3DS_MAT_SELFIMAP: case LIB3DS_MAT_SELFIMASK:
        case LIB3DS_MAT_REFLMAP: case LIB3DS_MAT_REFLMASK: return TextureMap(d);
        default: return true;
        }
    });
}

bool CChunkWalker::Percentage(const Chunk& c)
{
    return Children(c, c.data, [this](const Chunk& d) {
        return d.id != LIB3DS_INT_PERCENTAGE || Data(d, 2);
    });
}

bool CChunkWalker::TextureMap(const Chunk& c)
{
    return Children(c, c.data, [this](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_INT_PERCENTAGE:
        case LIB3DS_MAT_MAP_TILING: return Data(d, 2);
        case LIB3DS_MAT_MAPNAME: return String(d, d.data, NameSize, &after);
        case LIB3DS_MAT_MAP_TEXBLUR:
        case LIB3DS_MAT_MAP_USCALE:
        case LIB3DS_MAT_MAP_VSCALE:
        case LIB3DS_MAT_MAP_UOFFSET:
        case LIB3DS_MAT_MAP_VOFFSET:
        case LIB3DS_MAT_MAP_ANG: return Data(d, 4);
        case LIB3DS_MAT_MAP_COL1:
        case LIB3DS_MAT_MAP_COL2:
        case LIB3DS_MAT_MAP_RCOL:
        case LIB3DS_MAT_MAP_GCOL:
        case LIB3DS_MAT_MAP_BCOL: return Data(d, 3);
        default: return true;
        }
    });
}

bool CChunkWalker::NamedObject(const Chunk& c)
{
    size_t after = 0;
    if (!String(c, c.data, NameSize, &after))
        return false;
    return Children(c, after, [this](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_N_TRI_OBJECT: return Count(&objects, "objects") && Mesh(d);
        case LIB3DS_N_CAMERA: return Count(&objects, "objects") && Camera(d);
        case LIB3DS_N_DIRECT_LIGHT: return Count(&objects, "objects") && Light(d);
        default: return true;
        }
    });
}

bool CChunkWalker::Camera(const Chunk& c)
{
    if (!Data(c, 32))
        return false;
    return Children(c, c.data + 32, [this](const Chunk& d) {
        return d.id != LIB3DS_CAM_RANGES || Data(d, 8);
    });
}

bool CChunkWalker::Light(const Chunk& c)
{
    if (!Data(c, 12))
        return false;
    return Children(c, c.data + 12, [this](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_COLOR_F: return Data(d, 12);
        case LIB3DS_DL_OUTER_RANGE:
        case LIB3DS_DL_INNER_RANGE:
        case LIB3DS_DL_MULTIPLIER:
        case LIB3DS_DL_EXCLUDE: // lib3ds falls through to reading the attenuation
        case LIB3DS_DL_ATTENUATE: return Data(d, 4);
        case LIB3DS_DL_SPOTLIGHT: return Spotlight(d);
        default: return true;
        }
    });
}

bool CChunkWalker::Spotlight(const Chunk& c)
{
    if (!Data(c, 20))
        return false;
    return Children(c, c.data + 20, [this](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_DL_SPOT_ROLL:
        case LIB3DS_DL_SPOT_ASPECT:
        case LIB3DS_DL_RAY_BIAS: return Data(d, 4);
        case LIB3DS_DL_LOCAL_SHADOW2: return Data(d, 10);
        case LIB3DS_DL_SPOT_PROJECTOR: return String(d, d.data, NameSize, &after);
        default: return true;
        }
    });
}

bool CChunkWalker::Mesh(const Chunk& c)
{
    // lib3ds keeps the last array of each kind; it computes face normals from
    // the final points and faces once the whole mesh is read.
    uint32_t points = 0, faces = 0;
    size_t faceData = 0;
    const bool walked = Children(c, c.data, [&](const Chunk& d) {
        switch (d.id) {
        case LIB3DS_MESH_MATRIX: return Data(d, 48);
        case LIB3DS_MESH_COLOR: return Data(d, 1);
        case LIB3DS_MESH_TEXTURE_INFO: return Data(d, 84);
        case LIB3DS_POINT_ARRAY:
            if (!Data(d, 2))
                return false;
            points = Word(d.data);
            return Data(d, 2 + size_t(points) * 12);
        case LIB3DS_POINT_FLAG_ARRAY:
            return Data(d, 2) && Data(d, 2 + size_t(Word(d.data)) * 2);
        case LIB3DS_TEX_VERTS:
            return Data(d, 2) && Data(d, 2 + size_t(Word(d.data)) * 8);
        case LIB3DS_FACE_ARRAY: return FaceArray(d, &faces, &faceData);
        default: return true;
        }
    });
    if (!walked)
        return false;
    for (uint32_t i = 0; i < faces; ++i) {
        for (size_t j = 0; j < 3; ++j) {
            const uint16_t index = Word(faceData + i * 8 + j * 2);
            if (index >= points)
                return Fail("mesh at offset %zu: face %u uses point %u of %u", c.begin, i, index,
                            points);
        }
    }
    return true;
}

bool CChunkWalker::FaceArray(const Chunk& c, uint32_t* faces, size_t* faceData)
{
    if (!Data(c, 2))
        return false;
    const uint32_t count = Word(c.data);
    if (!Data(c, 2 + size_t(count) * 8))
        return false;
    *faces = count;
    *faceData = c.data + 2;
    if (count == 0)
        return true; // lib3ds reads no sub-chunks of an empty face array
    return Children(c, c.data + 2 + size_t(count) * 8, [&](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_SMOOTH_GROUP: return Data(d, size_t(count) * 4);
        case LIB3DS_MSH_BOXMAP:
            for (int i = 0; i < 6; ++i)
                if (!String(d, i == 0 ? d.data : after, NameSize, &after))
                    return false;
            return true;
        case LIB3DS_MSH_MAT_GROUP: {
            if (!String(d, d.data, NameSize, &after) || !Has(d, after, 2))
                return false;
            const uint32_t listed = Word(after);
            if (!Has(d, after + 2, size_t(listed) * 2))
                return false;
            for (uint32_t i = 0; i < listed; ++i) {
                const uint16_t face = Word(after + 2 + i * 2);
                if (face >= count)
                    return Fail("material group at offset %zu names face %u of %u", d.begin, face,
                                count);
            }
            return true;
        }
        default: return true;
        }
    });
}

bool CChunkWalker::Kfdata(const Chunk& c)
{
    uint16_t ordinal = 0; // lib3ds numbers the nodes of each key-frame section from 0
    return Children(c, c.data, [&](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_KFHDR:
            return Data(d, 2) && String(d, d.data + 2, KfNameSize, &after) && Has(d, after, 4);
        case LIB3DS_KFSEG: return Data(d, 8);
        case LIB3DS_KFCURTIME: return Data(d, 4);
        case LIB3DS_VIEWPORT_LAYOUT: return Viewport(d);
        case LIB3DS_DEFAULT_VIEW: return DefaultView(d);
        case LIB3DS_AMBIENT_NODE_TAG: return NodeChunk(d, Node::Ambient, ordinal++);
        case LIB3DS_OBJECT_NODE_TAG: return NodeChunk(d, Node::Object, ordinal++);
        case LIB3DS_CAMERA_NODE_TAG: return NodeChunk(d, Node::Camera, ordinal++);
        case LIB3DS_TARGET_NODE_TAG: return NodeChunk(d, Node::Target, ordinal++);
        case LIB3DS_LIGHT_NODE_TAG:
        case LIB3DS_SPOTLIGHT_NODE_TAG: return NodeChunk(d, Node::Light, ordinal++);
        case LIB3DS_L_TARGET_NODE_TAG: return NodeChunk(d, Node::Spot, ordinal++);
        default: return true;
        }
    });
}

bool CChunkWalker::NodeChunk(const Chunk& c, Node type, uint16_t ordinal)
{
    if (!Count(&nodes, "nodes"))
        return false;
    uint16_t id = ordinal, parent = 0; // lib3ds's node starts zeroed: parent 0
    const bool object = type == Node::Object, light = type == Node::Light;
    const bool walked = Children(c, c.data, [&](const Chunk& d) {
        size_t after = 0;
        switch (d.id) {
        case LIB3DS_NODE_ID:
            if (!Data(d, 2))
                return false;
            id = Word(d.data);
            return true;
        case LIB3DS_NODE_HDR:
            if (!String(d, d.data, NameSize, &after) || !Has(d, after, 6))
                return false;
            parent = Word(after + 4);
            return true;
        case LIB3DS_PIVOT: return !object || Data(d, 12);
        case LIB3DS_INSTANCE_NAME: return !object || String(d, d.data, NameSize, &after);
        case LIB3DS_BOUNDBOX: return !object || Data(d, 24);
        case LIB3DS_MORPH_SMOOTH: return !object || Data(d, 4);
        case LIB3DS_COL_TRACK_TAG:
            return !(type == Node::Ambient || light) || Track(d, Key::Lin3);
        case LIB3DS_POS_TRACK_TAG: return type == Node::Ambient || Track(d, Key::Lin3);
        case LIB3DS_ROT_TRACK_TAG: return !object || Track(d, Key::Quat);
        case LIB3DS_SCL_TRACK_TAG: return !object || Track(d, Key::Lin3);
        case LIB3DS_FOV_TRACK_TAG: return type != Node::Camera || Track(d, Key::Lin1);
        case LIB3DS_HOT_TRACK_TAG:
        case LIB3DS_FALL_TRACK_TAG: return !light || Track(d, Key::Lin1);
        case LIB3DS_ROLL_TRACK_TAG:
            return !(type == Node::Camera || light) || Track(d, Key::Lin1);
        case LIB3DS_HIDE_TRACK_TAG: return !object || Track(d, Key::Bool);
        case LIB3DS_MORPH_TRACK_TAG: return !object || Track(d, Key::Morph);
        default: return true;
        }
    });
    if (!walked)
        return false;
    // lib3ds re-inserts every top-level node whose parent is the node being
    // inserted; a node that names itself as parent re-inserts itself forever.
    if (id == parent && id != 0xFFFF)
        return Fail("node at offset %zu is its own parent (id %u)", c.begin, id);
    return true;
}

bool CChunkWalker::Track(const Chunk& c, Key key)
{
    if (!Data(c, TrackHeader))
        return false;
    const int32_t keys = int32_t(Dword(c.data + 10));
    if (keys > MaxTrackKeys || keys > keysLeft)
        return Fail("track at offset %zu: %d keys is more than we accept", c.begin, keys);
    size_t at = c.data + TrackHeader;
    for (int32_t i = 0; i < keys; ++i) {
        if (!Has(c, at, 6))
            return false;
        const int32_t frame = int32_t(Dword(at));
        if (frame > MaxFrame || frame < -MaxFrame)
            return Fail("track at offset %zu: key frame %d is out of range", c.begin, frame);
        const unsigned flags = Word(at + 4) & 0x1F; // tension .. ease-from, a float each
        at += 6 + 4 * size_t(__builtin_popcount(flags));
        static const size_t valueSize[] = {0, 4, 12, 16};
        if (key == Key::Morph) {
            if (!Has(c, at, 0) || !String(c, at, MorphNameSize, &at))
                return false;
        } else if (!Has(c, at, valueSize[int(key)])) {
            return false;
        } else {
            at += valueSize[int(key)];
        }
    }
    if (keys > 0)
        keysLeft -= keys;
    return true;
}

} // namespace

bool Check3dsChunks(const unsigned char* data, size_t size, std::string* why)
{
    if (size > MaxModelFileSize) {
        if (why)
            *why = "file is larger than " + std::to_string(MaxModelFileSize) + " bytes";
        return false;
    }
    CChunkWalker walker(data, size);
    const bool sound = walker.File();
    if (!sound && why)
        *why = walker.why;
    return sound;
}
