// CTable: the pool table, drawn from "data/pooltable.3ds", with a debug outline of the ball bounds.
#include "scene/Table.h"

#include <GL/gl.h>

#include "app/Game.h"

CTable::CTable(CObjectList* owner_) : owner(owner_)
{
    Load("data/pooltable.3ds", &Game.textures);
    type = ObjectTable;
}

void CTable::Process(CObject*)
{
}

void CTable::Draw()
{
    Render();
    if (!Game.debug)
        return;
    glPushMatrix();
    glDisable(GL_LIGHTING); // a flat red line, whatever the lights
    glColor3f(1.0f, 0.0f, 0.0f);
    // OpenGL (x, y, z) = scene (y, z, x): the rectangle x = ±30, y = ±19 at z = 2.
    glBegin(GL_LINE_LOOP);
    glVertex3f(-19.0f, 2.0f, 30.0f);
    glVertex3f(-19.0f, 2.0f, -30.0f);
    glVertex3f(19.0f, 2.0f, -30.0f);
    glVertex3f(19.0f, 2.0f, 30.0f);
    glEnd();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
