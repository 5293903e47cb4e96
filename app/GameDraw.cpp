// CGame::Draw: one frame of the scene and its text overlays.
#include "app/Game.h"

#include <GL/gl.h>

void CGame::Draw()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
