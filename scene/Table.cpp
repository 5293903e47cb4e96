// CTable: the pool table, drawn from "data/pooltable.3ds", with a debug outline of the ball bounds.
#include "scene/Table.h"

#include <GL/gl.h>
#include <lib3ds/file.h>

#include <utility>

#include "scene/Ball.h"
#include "scene/DrawContext.h"

CTable::CTable(CObjectList* owner_, CTextureList* textures_)
    : owner(owner_), textures(textures_), spare(nullptr), playModel(false)
{
    Load("data/pooltable.3ds", textures);
    type = ObjectTable;
}

CTable::~CTable()
{
    if (spare)
        lib3ds_file_free(spare);
}

void CTable::UsePlayModel(bool play)
{
    if (play == playModel)
        return;
    if (play && !spare) {
        // Load replaces `model`: keep the free table's aside while it reads.
        Lib3dsFile* freeTable = model;
        model = nullptr;
        try {
            Load("data/pooltable_play.3ds", textures);
        } catch (...) {
            if (model)
                lib3ds_file_free(model);
            model = freeTable;
            throw;
        }
        spare = freeTable;
        playModel = true;
        return;
    }
    std::swap(model, spare);
    playModel = play;
}

void CTable::Process(CObject*)
{
}

void CTable::Draw(const DrawContext& context)
{
    Render();
    if (!context.debug)
        return;
    glPushMatrix();
    glDisable(GL_LIGHTING); // a flat red line, whatever the lights
    glColor3f(1.0f, 0.0f, 0.0f);
    // OpenGL (x, y, z) = scene (y, z, x): the balls' bounds at height 2.
    glBegin(GL_LINE_LOOP);
    glVertex3f(-BallBoundY, 2.0f, BallBoundX);
    glVertex3f(-BallBoundY, 2.0f, -BallBoundX);
    glVertex3f(BallBoundY, 2.0f, -BallBoundX);
    glVertex3f(BallBoundY, 2.0f, BallBoundX);
    glEnd();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
