// CGame::LoadData and LoadLevel: the textures, the room and the one fixed level.
#include "app/Game.h"

void CGame::LoadData()
{
}

void CGame::LoadLevel()
{
}
