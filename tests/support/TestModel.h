// Test support: small 3DS files built in memory with lib3ds and written by its own writer.
#pragma once

#include <lib3ds/types.h>

#include <string>

// A model under construction; Save writes it with lib3ds_file_save.
class CTestModel {
public:
    CTestModel();
    ~CTestModel();
    CTestModel(const CTestModel&) = delete;
    CTestModel& operator=(const CTestModel&) = delete;

    // A material with a diffuse colour, black specular unless given, a
    // shininess (0 to 1) and an optional texture map name.
    Lib3dsMaterial* AddMaterial(const std::string& name, float r, float g, float b,
                                float shininess = 0.0f, const std::string& texture = "");
    // A square in the model's x-z plane (y = `depth`) from (x0, z0) to (x1, z1),
    // facing the model's −y (after the game's turn to Y-up: OpenGL +z), as
    // `faces` triangles (the two halves of the square, repeated). Each face uses
    // `material` ("" for none). With `texels`, every point gets coordinates.
    Lib3dsMesh* AddSquare(const std::string& name, const std::string& material, int faces,
                          float x0, float z0, float x1, float z1, float depth = 0.0f,
                          bool texels = false);
    // A square in the model's x-y plane (z = `height`) from (x0, y0) to (x1, y1),
    // facing the model's +z (after the game's turn to Y-up: OpenGL +y), as two faces.
    Lib3dsMesh* AddTop(const std::string& name, const std::string& material, float x0, float y0,
                       float x1, float y1, float height);
    // A top-level object node that draws the mesh of the same name.
    Lib3dsNode* AddNode(const std::string& name);
    // A light at a position; a spot light when `spot`, aimed at `target`.
    Lib3dsLight* AddLight(const std::string& name, float x, float y, float z, bool spot = false,
                          float tx = 0.0f, float ty = 0.0f, float tz = 0.0f);

    bool Save(const std::string& path);

    Lib3dsFile* file;

private:
    int nodes = 0;
};
