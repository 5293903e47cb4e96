// The 3DS checks: broken, hostile and mutated files are refused, each tried in a child process.
#include <gtest/gtest.h>

#include <lib3ds/chunk.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "scene/ModelCheck.h"
#include "scene/ModelFile.h"
#include "physics/Units.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestModel.h"

namespace {

using Bytes = std::vector<unsigned char>;

enum class Outcome { Loaded, Refused, Crashed, Hung };

const char* Name(Outcome o)
{
    static const char* names[] = {"loaded", "refused", "crashed", "hung"};
    return names[int(o)];
}

// Everything the game does with a model file short of GL: read and check it,
// evaluate frame 0, compute each mesh's corner normals. In a child process, so
// that a crash or a hang is an outcome rather than the end of the suite.
Outcome LoadInChild(const std::string& path, double seconds = 5.0)
{
    const pid_t pid = fork();
    if (pid < 0)
        return Outcome::Crashed;
    if (pid == 0) {
        Lib3dsFile* f = Read3dsFile(path.c_str(), nullptr);
        if (!f)
            _exit(1);
        lib3ds_file_eval(f, 0.0f);
        for (Lib3dsMesh* m = f->meshes; m; m = m->next) {
            std::unique_ptr<Lib3dsVector[]> normals(new Lib3dsVector[3 * size_t(m->faces) + 1]);
            lib3ds_mesh_calculate_normals(m, normals.get());
        }
        lib3ds_file_free(f);
        _exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) <= 1)
                return WEXITSTATUS(status) == 0 ? Outcome::Loaded : Outcome::Refused;
            return Outcome::Crashed;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return Outcome::Hung;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

Bytes ReadBytes(const std::string& path)
{
    const std::string text = ReadFile(path);
    return Bytes(text.begin(), text.end());
}

uint32_t Dword(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}

void PutWord(Bytes& b, size_t at, uint16_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

// Offset of the first chunk with this id, searching the tree depth first
// through the containers that lead to meshes and nodes. npos when absent.
size_t FindChunk(const Bytes& b, uint16_t id, size_t from = 0, size_t end = std::string::npos)
{
    if (end == std::string::npos)
        end = b.size();
    static const uint16_t containers[] = {LIB3DS_M3DMAGIC, LIB3DS_MDATA, LIB3DS_KFDATA,
                                          LIB3DS_NAMED_OBJECT, LIB3DS_N_TRI_OBJECT,
                                          LIB3DS_OBJECT_NODE_TAG};
    for (size_t at = from; at + 6 <= end;) {
        const uint16_t cid = uint16_t(b[at] | b[at + 1] << 8);
        const uint32_t size = Dword(b, at + 2);
        if (size < 6 || at + size > end)
            return std::string::npos;
        if (cid == id)
            return at;
        size_t inner = at + 6;
        if (cid == LIB3DS_NAMED_OBJECT)
            while (b[inner++] != 0) {
            }
        for (uint16_t c : containers) {
            if (c == cid) {
                const size_t found = FindChunk(b, id, inner, at + size);
                if (found != std::string::npos)
                    return found;
            }
        }
        at += size;
    }
    return std::string::npos;
}

// A small model that uses what the game's models use: two textured materials,
// a mesh with texture coordinates, an untextured mesh, nodes with tracks, a
// point light and a spot light.
std::string WriteSmallModel(const CTempDir& dir, const std::string& name = "small.3ds")
{
    CTestModel m;
    m.AddMaterial("cloth", 0.1f, 0.6f, 0.2f, 0.5f, "data/cloth.bmp");
    m.AddMaterial("wood", 0.5f, 0.3f, 0.1f, 0.8f);
    m.AddSquare("bed", "cloth", 2, -1, -1, 1, 1, 0, true);
    m.AddSquare("rail", "wood", 4, -2, -2, 2, -1);
    m.AddNode("bed");
    m.AddNode("rail");
    m.AddLight("lamp", 0, 0, 10);
    m.AddLight("spot", 0, 5, 10, true, 0, 0, 0);
    const std::string path = dir.Path() + "/" + name;
    EXPECT_TRUE(m.Save(path));
    return path;
}

class ModelCheck : public ::testing::Test {
protected:
    CTempDir dir;
    std::string Mutant(const Bytes& bytes) const
    {
        return dir.Write("mutant.3ds", std::string(bytes.begin(), bytes.end()));
    }
};

TEST_F(ModelCheck, SmallValidModelLoadsAndMissingFileIsRefused)
{
    EXPECT_EQ(LoadInChild(WriteSmallModel(dir)), Outcome::Loaded);
    std::string why;
    EXPECT_EQ(Read3dsFile((dir.Path() + "/absent.3ds").c_str(), &why), nullptr);
    EXPECT_FALSE(why.empty());
}

TEST_F(ModelCheck, PipeOrDirectoryIsRefusedWithoutWaitingForAWriter)
{
    const std::string pipe = dir.Path() + "/pipe.3ds";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, dir.Path()}) {
        std::string why;
        EXPECT_EQ(Read3dsFile(path.c_str(), &why), nullptr) << path;
        EXPECT_EQ(why, "not a regular file");
    }
}

TEST_F(ModelCheck, EveryTruncationIsRefused)
{
    const Bytes whole = ReadBytes(WriteSmallModel(dir));
    ASSERT_GT(whole.size(), 200u);
    for (size_t length = 0; length < whole.size(); ++length) {
        const Outcome o = LoadInChild(Mutant(Bytes(whole.begin(), whole.begin() + length)));
        ASSERT_EQ(o, Outcome::Refused) << "truncated to " << length << " bytes: " << Name(o);
    }
}

TEST_F(ModelCheck, RandomByteChangesNeverCrashOrHang)
{
    const Bytes whole = ReadBytes(WriteSmallModel(dir));
    std::mt19937 random(20260512);
    int refused = 0;
    const int copies = 400;
    for (int copy = 0; copy < copies; ++copy) {
        Bytes b = whole;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
            b[random() % b.size()] = uint8_t(random());
        const Outcome o = LoadInChild(Mutant(b));
        ASSERT_TRUE(o == Outcome::Loaded || o == Outcome::Refused)
            << "copy " << copy << " " << Name(o);
        refused += o == Outcome::Refused;
    }
    // Changed sizes and counts must have been caught, not only harmless bytes changed.
    EXPECT_GT(refused, copies / 10);
}

TEST_F(ModelCheck, FaceIndexPastThePointsIsRefused)
{
    Bytes b = ReadBytes(WriteSmallModel(dir));
    const size_t faces = FindChunk(b, LIB3DS_FACE_ARRAY);
    ASSERT_NE(faces, std::string::npos);
    PutWord(b, faces + 6 + 2 + 2, 60000); // second point of the first face; the mesh has 4
    EXPECT_EQ(LoadInChild(Mutant(b)), Outcome::Refused);
    PutWord(b, faces + 6 + 2 + 2, 3); // the last point that exists
    EXPECT_EQ(LoadInChild(Mutant(b)), Outcome::Loaded);
}

TEST_F(ModelCheck, MaterialGroupNamingAMissingFaceIsRefused)
{
    Bytes b = ReadBytes(WriteSmallModel(dir));
    const size_t group = FindChunk(b, LIB3DS_MSH_MAT_GROUP, FindChunk(b, LIB3DS_FACE_ARRAY) + 6 + 2 + 16);
    ASSERT_NE(group, std::string::npos);
    size_t at = group + 6;
    while (b[at++] != 0) {
    }
    PutWord(b, at + 2, 2); // first listed face; the face array holds 2
    EXPECT_EQ(LoadInChild(Mutant(b)), Outcome::Refused);
}

TEST_F(ModelCheck, NodeThatIsItsOwnParentIsRefused)
{
    Bytes b = ReadBytes(WriteSmallModel(dir));
    const size_t node = FindChunk(b, LIB3DS_OBJECT_NODE_TAG);
    ASSERT_NE(node, std::string::npos);
    const size_t id = FindChunk(b, LIB3DS_NODE_ID, node + 6, node + Dword(b, node + 2));
    const size_t hdr = FindChunk(b, LIB3DS_NODE_HDR, node + 6, node + Dword(b, node + 2));
    ASSERT_NE(hdr, std::string::npos);
    size_t at = hdr + 6;
    while (b[at++] != 0) {
    }
    PutWord(b, at + 4, uint16_t(b[id + 6] | b[id + 7] << 8));
    EXPECT_EQ(LoadInChild(Mutant(b)), Outcome::Refused);
}

TEST_F(ModelCheck, BytesAfterTheMainChunkAreIgnoredButAChunkPastTheFileIsRefused)
{
    const Bytes b = ReadBytes(WriteSmallModel(dir));
    // What exporters and transfer tools leave behind: zero padding, or junk
    // that itself looks like a chunk header claiming more than the file holds.
    Bytes padded = b;
    padded.insert(padded.end(), 16, 0);
    EXPECT_EQ(LoadInChild(Mutant(padded)), Outcome::Loaded);
    Bytes junk = b;
    for (uint8_t byte : {0x00, 0x40, 0xff, 0xff, 0xff, 0x7f, 0x12})
        junk.push_back(byte);
    EXPECT_EQ(LoadInChild(Mutant(junk)), Outcome::Loaded);
    std::string why;
    Lib3dsFile* f = Read3dsFile(Mutant(padded).c_str(), &why);
    ASSERT_NE(f, nullptr) << why;
    int meshes = 0;
    for (Lib3dsMesh* m = f->meshes; m; m = m->next)
        ++meshes;
    EXPECT_EQ(meshes, 2);
    lib3ds_file_free(f);

    // The main chunk one byte longer than the file, and a last child that runs
    // past a main chunk cut short inside the file: both refused.
    Bytes longer = b;
    longer[2] = uint8_t(b.size() + 1);
    longer[3] = uint8_t((b.size() + 1) >> 8);
    EXPECT_EQ(LoadInChild(Mutant(longer)), Outcome::Refused);
    Bytes cut = padded;
    cut[2] = uint8_t(b.size() - 1);
    cut[3] = uint8_t((b.size() - 1) >> 8);
    EXPECT_EQ(Read3dsFile(Mutant(cut).c_str(), &why), nullptr);
    EXPECT_NE(why.find("runs past its parent"), std::string::npos) << why;

    // Changed bytes in a padded file are caught as surely as in a tight one.
    std::mt19937 random(20261209);
    for (int copy = 0; copy < 150; ++copy) {
        Bytes m = padded;
        for (int i = 0; i < 1 + int(random() % 4); ++i)
            m[random() % m.size()] = uint8_t(random());
        const Outcome o = LoadInChild(Mutant(m));
        ASSERT_TRUE(o == Outcome::Loaded || o == Outcome::Refused) << "copy " << copy << " " << Name(o);
    }

    // A chunk of size 0 would keep lib3ds reading the same header forever.
    Bytes zero = b;
    const size_t points = FindChunk(zero, LIB3DS_POINT_ARRAY);
    ASSERT_NE(points, std::string::npos);
    zero[points + 2] = zero[points + 3] = zero[points + 4] = zero[points + 5] = 0;
    EXPECT_EQ(LoadInChild(Mutant(zero)), Outcome::Refused);
}

TEST_F(ModelCheck, FewerTexelsThanPointsAreRefusedButNoneOrMoreLoad)
{
    for (Lib3dsDword texels : {0u, 3u, 4u, 9u}) {
        CTestModel m;
        Lib3dsMesh* mesh = m.AddSquare("bed", "", 2, -1, -1, 1, 1); // 4 points
        if (texels)
            lib3ds_mesh_new_texel_list(mesh, texels);
        m.AddNode("bed");
        const std::string path = dir.Path() + "/texels" + std::to_string(texels) + ".3ds";
        ASSERT_TRUE(m.Save(path));
        std::string why;
        Lib3dsFile* f = Read3dsFile(path.c_str(), &why);
        if (texels == 3) {
            EXPECT_EQ(f, nullptr);
            EXPECT_NE(why.find("3 texture coordinates for 4 points"), std::string::npos) << why;
        } else {
            EXPECT_NE(f, nullptr) << texels << " texels: " << why;
            EXPECT_EQ(LoadInChild(path), Outcome::Loaded) << texels << " texels";
        }
        if (f)
            lib3ds_file_free(f);
    }
}

// A fan of `faces` triangles around point 0 in one smoothing group; `flat`
// puts every rim point in one plane, otherwise each face tilts its own way.
std::string WriteFan(const CTempDir& dir, int faces, bool flat)
{
    CTestModel m;
    Lib3dsMesh* mesh = lib3ds_mesh_new("fan");
    lib3ds_mesh_new_point_list(mesh, Lib3dsDword(faces + 1));
    for (int i = 0; i < faces; ++i) {
        const float a = TwoPi * float(i) / float(faces);
        mesh->pointL[i + 1].pos[0] = std::cos(a);
        mesh->pointL[i + 1].pos[1] = std::sin(a);
        mesh->pointL[i + 1].pos[2] = flat ? 0.0f : float(i % 7) * 0.1f + float(i) * 0.01f;
    }
    lib3ds_mesh_new_face_list(mesh, Lib3dsDword(faces));
    for (int i = 0; i < faces; ++i) {
        Lib3dsFace& f = mesh->faceL[i];
        f.points[0] = 0;
        f.points[1] = Lib3dsWord(i + 1);
        f.points[2] = Lib3dsWord((i + 1) % faces + 1);
        f.smoothing = 1;
    }
    lib3ds_file_insert_mesh(m.file, mesh);
    m.AddNode("fan");
    const std::string path = dir.Path() + (flat ? "/flat.3ds" : "/cone.3ds");
    EXPECT_TRUE(m.Save(path));
    return path;
}

TEST_F(ModelCheck, PointJoiningMoreThan128SmoothedNormalsIsRefusedButAFlatFanLoads)
{
    EXPECT_EQ(LoadInChild(WriteFan(dir, 200, true)), Outcome::Loaded);
    EXPECT_EQ(LoadInChild(WriteFan(dir, 128, false)), Outcome::Loaded);
    std::string why;
    EXPECT_EQ(Read3dsFile(WriteFan(dir, 200, false).c_str(), &why), nullptr);
    EXPECT_NE(why.find("128"), std::string::npos) << why;
}

// Chunk built by hand: id, payload, then sub-chunks.
Bytes MakeChunk(uint16_t id, const Bytes& payload, const std::vector<Bytes>& children = {})
{
    Bytes out(6);
    PutWord(out, 0, id);
    out.insert(out.end(), payload.begin(), payload.end());
    for (const Bytes& c : children)
        out.insert(out.end(), c.begin(), c.end());
    const uint32_t size = uint32_t(out.size());
    for (int i = 0; i < 4; ++i)
        out[2 + i] = uint8_t(size >> (8 * i));
    return out;
}

TEST_F(ModelCheck, MoreGradientColoursThanLib3dsHoldsAreRefused)
{
    const Bytes colour = MakeChunk(LIB3DS_COLOR_F, Bytes(12, 0));
    std::vector<Bytes> three(3, colour), four(4, colour);
    const Bytes ok = MakeChunk(LIB3DS_M3DMAGIC, {},
                               {MakeChunk(LIB3DS_MDATA, {}, {MakeChunk(LIB3DS_V_GRADIENT, Bytes(4, 0), three)})});
    const Bytes bad = MakeChunk(LIB3DS_M3DMAGIC, {},
                                {MakeChunk(LIB3DS_MDATA, {}, {MakeChunk(LIB3DS_V_GRADIENT, Bytes(4, 0), four)})});
    EXPECT_TRUE(Check3dsChunks(ok.data(), ok.size(), nullptr));
    std::string why;
    EXPECT_FALSE(Check3dsChunks(bad.data(), bad.size(), &why));
    EXPECT_NE(why.find("gradient"), std::string::npos) << why;
}

// A key-frame section holding one object node with a position track of `keys`
// keys, the first at `frame`.
Bytes NodeWithTrack(int32_t keys, int32_t frame)
{
    Bytes track(14, 0);
    for (int i = 0; i < 4; ++i)
        track[10 + i] = uint8_t(uint32_t(keys) >> (8 * i));
    for (int32_t k = 0; k < keys; ++k) {
        Bytes key(6 + 12, 0);
        const uint32_t f = uint32_t(frame + k);
        for (int i = 0; i < 4; ++i)
            key[i] = uint8_t(f >> (8 * i));
        track.insert(track.end(), key.begin(), key.end());
    }
    const Bytes hdr = {'n', 0, 0, 0, 0, 0, 0xFF, 0xFF};
    return MakeChunk(LIB3DS_M3DMAGIC, {},
                     {MakeChunk(LIB3DS_KFDATA, {},
                                {MakeChunk(LIB3DS_OBJECT_NODE_TAG, {},
                                           {MakeChunk(LIB3DS_NODE_HDR, hdr),
                                            MakeChunk(LIB3DS_POS_TRACK_TAG, track)})})});
}

TEST_F(ModelCheck, TracksWithTooManyKeysOrFarFramesOrMissingKeysAreRefused)
{
    const Bytes fine = NodeWithTrack(3, 0);
    EXPECT_TRUE(Check3dsChunks(fine.data(), fine.size(), nullptr));
    const Bytes many = NodeWithTrack(5000, 0);
    EXPECT_FALSE(Check3dsChunks(many.data(), many.size(), nullptr));
    const Bytes far = NodeWithTrack(2, 1 << 24);
    EXPECT_FALSE(Check3dsChunks(far.data(), far.size(), nullptr));
    // A key count larger than the keys present: lib3ds would read on past the chunk.
    Bytes lying = fine;
    const size_t track = FindChunk(lying, LIB3DS_POS_TRACK_TAG, 12, lying.size());
    ASSERT_NE(track, std::string::npos);
    lying[track + 6 + 10] = 4;
    EXPECT_FALSE(Check3dsChunks(lying.data(), lying.size(), nullptr));
}

} // namespace
