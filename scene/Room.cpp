// CRoom: the textured box of walls, ceiling and floor around the table.
#include "scene/Room.h"

#include <GL/gl.h>

#include "scene/TextureList.h"

std::array<RoomVertex, 24> RoomVertices(const vec3& p, const vec3& s)
{
    const float x0 = p.x, x1 = p.x + s.x, y0 = p.y, y1 = p.y + s.y, z0 = p.z - s.z, z1 = p.z;
    return {{
        // walls
        {20, 20, x0, y0, z1}, {20, 0, x0, y1, z1}, {0, 0, x1, y1, z1}, {0, 20, x1, y0, z1},
        {0, 20, x0, y0, z1}, {20, 20, x0, y0, z0}, {20, 0, x0, y1, z0}, {0, 0, x0, y1, z1},
        {0, 20, x0, y0, z0}, {20, 20, x1, y0, z0}, {20, 0, x1, y1, z0}, {0, 0, x0, y1, z0},
        {20, 20, x1, y0, z1}, {20, 0, x1, y1, z1}, {0, 0, x1, y1, z0}, {0, 20, x1, y0, z0},
        // ceiling
        {0, 0, x0, y1, z1}, {0, 20, x0, y1, z0}, {20, 20, x1, y1, z0}, {20, 0, x1, y1, z1},
        // floor
        {0, 20, x0, y0, z1}, {20, 20, x1, y0, z1}, {20, 0, x1, y0, z0}, {0, 0, x0, y0, z0},
    }};
}

CRoom::CRoom(CObjectList* owner_, CTextureList* textures_) : owner(owner_), textures(textures_)
{
    type = ObjectRoom;
}

void CRoom::Process(CObject*)
{
}

bool CRoom::Move(float)
{
    return true;
}

// The picture named `name`, or null when there is no cache.
static CTexture* Picture(CTextureList* textures, const char* name)
{
    return textures ? textures->Get(name) : nullptr;
}

void CRoom::Draw(const DrawContext&)
{
    CTexture* pictures[3] = {Picture(textures, "data/wall.bmp"), Picture(textures, "data/ceil.bmp"),
                             Picture(textures, "data/floor.bmp")};
    const int first[4] = {0, 16, 20, 24}; // walls, ceiling, floor
    const std::array<RoomVertex, 24> v = RoomVertices(position, size);
    for (int group = 0; group < 3; ++group) {
        glBindTexture(GL_TEXTURE_2D, pictures[group] ? pictures[group]->id : 0);
        glBegin(GL_QUADS);
        for (int i = first[group]; i < first[group + 1]; ++i) {
            glTexCoord2f(v[i].s, v[i].t);
            glVertex3f(v[i].x, v[i].y, v[i].z);
        }
        glEnd();
    }
}
