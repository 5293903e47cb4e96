// CGame::Move: the frame rate, then the frame of the screen on show.
#include "app/Game.h"

#include "app/Screen.h"

void CGame::Move(float dt)
{
    fps.Add(1.0f / dt);
    frameTime = dt;
    if (screen)
        screen->Update(dt);
}
