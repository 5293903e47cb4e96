// CGame::ApplyGamma and the display gamma-ramp functions.
#include "app/Game.h"

void CGame::ApplyGamma()
{
}
