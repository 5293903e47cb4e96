// Level loading: the texture cache, the binding order of the objects, the rack and the physics.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/Game.h"
#include "app/SceneSync.h"
#include "physics/Ball.h"
#include "physics/Simulation.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "scene/Pot.h"
#include "scene/Room.h"
#include "scene/Table.h"
#include "tests/app/LevelFixture.h"

namespace {

using GameLevel = LevelFixture;

std::vector<CObject*> Entries()
{
    return std::vector<CObject*>(Game.objects.items.begin(), Game.objects.items.end());
}

TEST_F(GameLevel, CacheHoldsTheTwentyPicturesInOrderBeforeAnyModelTexture)
{
    std::vector<std::string> expected = {"data/wall.bmp", "data/floor.bmp", "data/ceil.bmp"};
    for (int n = 0; n <= 15; ++n)
        expected.push_back("data/ball_" + std::to_string(n) + ".bmp");
    expected.push_back("data/cue.bmp");
    ASSERT_GE(Game.textures.entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Game.textures.entries[i]->name, expected[i]) << "entry " << i;
}

TEST_F(GameLevel, SceneryIsTheRoomAtItsCornerAndExtent)
{
    ASSERT_EQ(Game.scenery.items.size(), 1u);
    CObject* room = Game.scenery.items.front();
    EXPECT_EQ(room->type, ObjectRoom);
    EXPECT_EQ(room->position.x, -250.0f);
    EXPECT_EQ(room->position.y, -26.5f);
    EXPECT_EQ(room->position.z, 200.0f);
    EXPECT_EQ(room->size.x, 500.0f);
    EXPECT_EQ(room->size.y, 200.0f);
    EXPECT_EQ(room->size.z, 400.0f);
}

TEST_F(GameLevel, ObjectsRunBallsFifteenToOneThenCueBallPocketsTableCue)
{
    const std::vector<CObject*> e = Entries();
    ASSERT_EQ(e.size(), 24u);
    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(e[i]->type, ObjectBall) << "entry " << i;
        EXPECT_EQ(static_cast<CBall*>(e[i])->number, i < 15 ? 15 - i : 0) << "entry " << i;
    }
    EXPECT_EQ(e[15], reinterpret_cast<CObject*>(Game.cueBall));
    // Pockets were created 1 to 6 and come out 6 to 1.
    const float pocketX[] = {30.0f, 0.0f, -30.0f, -30.0f, 0.0f, 30.0f};
    const float pocketY[] = {-20.0f, -20.0f, -20.0f, 20.0f, 20.0f, 20.0f};
    for (int k = 0; k < 6; ++k) {
        CObject* pot = e[16 + k];
        ASSERT_EQ(pot->type, ObjectPot);
        EXPECT_EQ(pot->position.x, pocketX[5 - k]);
        EXPECT_EQ(pot->position.y, pocketY[5 - k]);
        EXPECT_EQ(pot->position.z, -1.0f);
    }
    EXPECT_EQ(e[22], reinterpret_cast<CObject*>(Game.table));
    EXPECT_EQ(e[22]->type, ObjectTable);
    EXPECT_EQ(e[23], reinterpret_cast<CObject*>(Game.cue));
    EXPECT_EQ(Game.cue->ball, Game.cueBall);
}

TEST_F(GameLevel, RackHasItsApexAtTheCentreAndItsBackRowAtMinusTwentyFive)
{
    const std::vector<CObject*> e = Entries();
    ASSERT_EQ(e.size(), 24u);
    auto byNumber = [&](int number) { return static_cast<CBall*>(e[15 - number]); };
    EXPECT_EQ(byNumber(15)->position.x, -19.0f);
    EXPECT_EQ(byNumber(15)->position.y, 0.0f);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(byNumber(n)->position.x, -25.0f) << "ball " << n;
        EXPECT_EQ(byNumber(n)->position.y, -6.0f + 3.0f * (n - 1)) << "ball " << n;
    }
    EXPECT_EQ(byNumber(13)->position.x, -20.5f);
    EXPECT_EQ(byNumber(13)->position.y, -1.5f);
    for (int n = 1; n <= 15; ++n)
        EXPECT_EQ(byNumber(n)->position.z, 1.0f);
    EXPECT_EQ(Game.cueBall->position.x, 10.0f);
    EXPECT_EQ(Game.camera.look.x, 10.0f);
}

TEST_F(GameLevel, PhysicsEntriesOneToSixteenAreTheBallObjectsInMetres)
{
    const std::vector<CObject*> e = Entries();
    ASSERT_EQ(e.size(), 24u);
    for (int k = 1; k <= 16; ++k) {
        const CBall* b = static_cast<CBall*>(e[k - 1]);
        EXPECT_FLOAT_EQ(ball[k].position.x, b->position.x / 20.0f) << "entry " << k;
        EXPECT_FLOAT_EQ(ball[k].position.y, b->position.y / 20.0f) << "entry " << k;
        EXPECT_FLOAT_EQ(ball[k].position.z, 0.05f) << "entry " << k;
    }
    EXPECT_FLOAT_EQ(ball[16].position.x, 0.5f); // the cue ball, 10 units = 0.5 m
}

// Whatever list the physics pointed at before, the level load points it at the
// level's objects: a struck cue ball object then moves with the physics (a
// pass still handed to the empty list before would raise its sync error).
TEST_F(GameLevel, LoadingPointsThePhysicsAtTheLevelsBallObjects)
{
    CObjectList elsewhere;
    HandPassesTo(&elsewhere);
    Game.objects.Clear();
    Game.LoadLevel();

    const vec3 start = Game.cueBall->position;
    ShootFromScene(*Game.cueBall, Game.objects, 180.0f, 20.0f);
    Start(1.0 / 60.0, 25);
    EXPECT_LT(Game.cueBall->position.x, start.x - 0.1f); // 20 units/s for 1/60 s, toward −x
}

TEST_F(GameLevel, EveryBallWearsItsOwnPicture)
{
    const std::vector<CObject*> e = Entries();
    ASSERT_EQ(e.size(), 24u);
    for (int i = 0; i < 16; ++i) {
        const CBall* b = static_cast<CBall*>(e[i]);
        const std::string path = "data/ball_" + std::to_string(b->number) + ".bmp";
        EXPECT_EQ(b->texture, Game.textures.Get(path)->id) << path;
    }
}

} // namespace
