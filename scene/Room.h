// CRoom: the textured box of walls, ceiling and floor around the table.
#pragma once

#include <array>

#include "scene/Object.h"

class CObjectList;
class CTextureList;

// One vertex of the room with its texture coordinates (s, t).
struct RoomVertex {
    float s, t;
    float x, y, z;
};

// The room's vertices in drawing order, in OpenGL coordinates: four wall quads
// (16 vertices: planes z = Z1, x = X0, z = Z0, x = X1), the ceiling (y = Y1)
// and the floor (y = Y0), four each. The box spans x from position.x to
// position.x + size.x, y from position.y to position.y + size.y and z from
// position.z − size.z to position.z. Each picture repeats 20 times along every
// edge of every face.
std::array<RoomVertex, 24> RoomVertices(const vec3& position, const vec3& size);

class CRoom : public CObject {
public:
    // Draws with the pictures of `textures` (null: untextured). Not owned.
    CRoom(CObjectList* owner, CTextureList* textures);

    void Process(CObject* other) override;
    // Always stays in its list, even once killed.
    bool Move(float seconds) override;
    // The quads of RoomVertices with "data/wall.bmp", "data/ceil.bmp" and
    // "data/floor.bmp" from `textures`, fetched on every call. Throws the
    // cache's error when a picture is missing from it; with an empty cache (or
    // none) the room is drawn untextured. Sets no matrix, colour, normal or light.
    void Draw(const DrawContext& context) override;

    CObjectList* owner;     // the list given to the constructor; not owned
    CTextureList* textures; // the cache given to the constructor; not owned
};
