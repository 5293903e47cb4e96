// CGame::LoadData and LoadLevel: the textures, the room and the one fixed level, then the screens.
#include "app/Game.h"
#include "app/GameLevel.h"

#include <cstdio>
#include <cstdlib>

#include "app/SceneSync.h"
#include "physics/Simulation.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "scene/Pot.h"
#include "scene/Room.h"
#include "scene/Table.h"

// The pictures loaded before any object, in the cache's order: the room's, the
// balls' and the cue's (which the cue model's materials name again).
static const char* const RoomPictures[] = {"wall.bmp", "floor.bmp", "ceil.bmp"};
static const int BallPictureCount = 16; // ball_0 (the cue ball) to ball_15

// A unit under the bed, where the hole is.
static vec3 PocketMarker(int pocket)
{
    return vec3(PocketCentreX(pocket) * SceneUnitsPerMetre, PocketCentreY(pocket) * SceneUnitsPerMetre, -1.0f);
}

const vec3 PocketPositions[PocketCount] = {PocketMarker(5), PocketMarker(4), PocketMarker(3),
                                           PocketMarker(2), PocketMarker(1), PocketMarker(0)};

// The rack's rows of 5, 4, 3, 2, 1 balls lie 3 units apart within a row and
// 1.5 apart from row to row, apex toward the table's centre.
static const float RackBackX = -25.0f;
static const float RackBackY = -6.0f;
static const float RowStep = 1.5f;
static const float BallStep = 3.0f;
static const float BallCentreZ = 1.0f;

vec3 RackPosition(int row, int j)
{
    return vec3(RackBackX + RowStep * row, RackBackY + RowStep * row + BallStep * j, BallCentreZ);
}

void CGame::LoadData()
{
    char path[64];
    for (const char* name : RoomPictures) {
        snprintf(path, sizeof path, "data/%s", name);
        textures.Add(path);
    }
    for (int number = 0; number < BallPictureCount; ++number) {
        snprintf(path, sizeof path, "data/ball_%i.bmp", number);
        textures.Add(path);
    }
    textures.Add("data/cue.bmp");

    CRoom* room = new CRoom(&scenery, &textures);
    scenery.Add(room);
    room->position = vec3(-250.0f, -26.5f, 200.0f); // corner and extent in GL axes
    room->size = vec3(500.0f, 200.0f, 400.0f);
}

void CGame::LoadLevel()
{
    srand(SDL_GetTicks());

    // The physics takes the first 16 entries of `objects` for the balls, and Add
    // inserts at the front: so the balls are created last, the cue ball first of them.
    cue = new CCue(&objects, &textures);
    objects.Add(cue);
    table = new CTable(&objects, &textures);
    objects.Add(table);
    for (const vec3& p : PocketPositions)
        objects.Add(new CPot(&objects, p));

    cueBall = new CBall(&objects);
    objects.Add(cueBall);
    cueBall->SetTexture(textures, 0);
    camera.look = cueBall->position;

    int number = 1;
    for (int row = 0; row < RackRows; ++row) {
        for (int j = 0; j < RackRows - row; ++j, ++number) {
            CBall* b = new CBall(&objects, RackPosition(row, j), number);
            objects.Add(b);
            b->SetTexture(textures, number);
        }
    }

    // The physics starts from these balls, and from now on every simulation
    // pass hands its result back to them.
    GetBallsCoords(&objects);
    HandPassesTo(&objects);
    cue->ball = cueBall;
    OpenScreens();
}
