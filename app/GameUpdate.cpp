// CGame::Move: the per-frame update.
#include "app/Game.h"

void CGame::Move(float dt)
{
    fps.Add(1.0f / dt);
    frameTime = dt;
    mouse.dx = 0;
    mouse.dy = 0;
}
