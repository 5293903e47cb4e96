// Fuzz target: arbitrary bytes as a .3ds model, loaded and rendered twice under a real GL context.
#include <GL/gl.h>
#include <lib3ds/file.h>
#include <lib3ds/node.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "scene/DrawContext.h"
#include "scene/Model.h"
#include "scene/ObjectList.h"
#include "scene/TextureList.h"
#include "tests/fuzz/FuzzSupport.h"

static std::string path;

// A 2x2 24-bit BMP: what the texture names of the seed models resolve to.
static bool WriteTinyBmp(const char* name)
{
    static const unsigned char bmp[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,       // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,     // info header
        0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}; // two padded rows
    return WriteFuzzInput(name, bmp, sizeof bmp);
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OpenFuzzWindow("fuzz_model");
    // Textures are looked up relative to the working directory, as "data/NAME"
    // in our models: give those names a picture each, never replacing a file.
    mkdir("data", 0755);
    for (const char* name : {"data/cloth.bmp", "data/rail.bmp", "data/pocket.bmp",
                             "data/sight.bmp", "data/cue.bmp", "data/t.bmp"})
        if (access(name, F_OK) != 0 && !WriteTinyBmp(name)) {
            fprintf(stderr, "FuzzModel cannot write %s\n", name);
            exit(1);
        }
    path = FuzzInputPath("fuzz-model", ".3ds");
    // The loader reports lights and face counts on standard output.
    if (!freopen("/dev/null", "w", stdout))
        exit(1);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    return 0;
}

// Lists are meant to live as long as the context; a fuzzer makes millions.
static void DeleteLists(Lib3dsFile* model)
{
    if (!model)
        return;
    for (Lib3dsNode* node = model->nodes; node; node = node->next)
        if (node->user.d)
            glDeleteLists(node->user.d, 1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!WriteFuzzInput(path, data, size))
        return 0;
    CTextureList textures;
    CObjectList owner;
    CModel model(&owner);
    try {
        model.Load(path.c_str(), &textures);
        model.Draw(DrawContext{}); // compiles the lists
        model.Draw(DrawContext{}); // draws them
        glFinish();
    } catch (const std::runtime_error&) {
        // Refusing a damaged model is the expected outcome.
    }
    DeleteLists(model.model);
    for (GLenum light = GL_LIGHT0; light <= GL_LIGHT7; ++light)
        glDisable(light);
    return 0;
}
