// SceneSync: units both ways, the list's walk and its errors, the passes' hand-over, the strike.
#include <stdexcept>
#include <string>

#include "app/SceneSync.h"
#include "physics/Simulation.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/ObjectList.h"
#include "tests/physics/PhysicsTest.h"
#include "tests/support/Capture.h"

namespace {

// A scene object that is not a ball.
class CProp : public CObject {
public:
    CProp() { type = ObjectPot; }
    void Process(CObject*) override {}
};

class SceneSync : public PhysicsTest {
protected:
    // Appends in walking order (CObjectList::Add would put it first).
    CBall* Append(vec3 position)
    {
        CBall* b = new CBall(&list, position, 1);
        list.items.push_back(b);
        return b;
    }
    std::string Message(void (*sync)(CObjectList*), CObjectList* l)
    {
        return ErrorOf([&] { sync(l); });
    }

    CObjectList list;
};

TEST_F(SceneSync, GetConvertsSceneUnitsAndDegreesAndLeavesSpin)
{
    CBall* b = Append(vec3(20.0f, -10.0f, 1.0f));
    b->velocity = vec3(40.0f, 0.0f, 0.0f);
    b->rotation = vec3(90.0f, 0.0f, 0.0f);
    ball[1].angularVelocity = vec3(1.0f, 2.0f, 3.0f);
    GetBallsCoords(&list);
    EXPECT_VEC_NEAR(ball[1].position, 1.0, -0.5, 0.05, 1e-7);
    EXPECT_VEC_NEAR(ball[1].velocity, 2.0, 0.0, 0.0, 1e-7);
    EXPECT_VEC_NEAR(ball[1].rotation, HalfPi, 0.0, 0.0, 1e-6);
    EXPECT_VEC_NEAR(ball[1].angularVelocity, 1.0, 2.0, 3.0, 0.0);
}

TEST_F(SceneSync, SetConvertsBackAndLeavesSpin)
{
    CBall* b = Append(vec3());
    ball[1].radius = 0.05f;
    ball[1].position = vec3(1.0f, -0.5f, 0.05f);
    ball[1].velocity = vec3(0.0f, 2.0f, 0.0f);
    ball[1].rotation = vec3(0.0f, 0.0f, Pi);
    ball[1].angularVelocity = vec3(4.0f, 5.0f, 6.0f);
    SetBallsCoords(&list);
    EXPECT_EQ(b->radius, 1.0f);
    EXPECT_VEC_NEAR(b->position, 20.0, -10.0, 1.0, 1e-5);
    EXPECT_VEC_NEAR(b->velocity, 0.0, 40.0, 0.0, 1e-5);
    EXPECT_VEC_NEAR(b->rotation, 0.0, 0.0, 180.0, 1e-4);
    EXPECT_VEC_NEAR(ball[1].angularVelocity, 4.0, 5.0, 6.0, 0.0);
}

TEST_F(SceneSync, NonBallEntriesUseUpTheirIndex)
{
    Append(vec3(2.0f, 0.0f, 1.0f));
    list.items.push_back(new CProp);
    Append(vec3(6.0f, 0.0f, 1.0f));
    const Ball second = ball[2];
    GetBallsCoords(&list);
    EXPECT_NEAR(ball[1].position.x, 0.1, 1e-7);
    EXPECT_TRUE(BitEqual(ball[2], second));
    EXPECT_NEAR(ball[3].position.x, 0.3, 1e-7);
}

TEST_F(SceneSync, OnlyTheFirstSixteenEntriesAreWalked)
{
    for (int k = 1; k <= 18; ++k)
        Append(vec3(static_cast<float>(k), 0.0f, 1.0f));
    GetBallsCoords(&list);
    EXPECT_NEAR(ball[16].position.x, 0.8, 1e-7);
    const Ball zero{};
    EXPECT_TRUE(BitEqual(ball[17], zero));
}

TEST_F(SceneSync, ShortListsStopAtTheirEnd)
{
    CBall* a = Append(vec3(2.0f, 0.0f, 1.0f));
    Append(vec3(4.0f, 0.0f, 1.0f));
    const Ball third = ball[3];
    GetBallsCoords(&list);
    EXPECT_NEAR(ball[2].position.x, 0.2, 1e-7);
    EXPECT_TRUE(BitEqual(ball[3], third));
    ball[1].position = vec3(0.5f, 0.0f, 0.05f);
    SetBallsCoords(&list);
    EXPECT_NEAR(a->position.x, 10.0, 1e-5);
}

TEST_F(SceneSync, EmptyListIsAnErrorForBoth)
{
    EXPECT_EQ(Message(GetBallsCoords, &list), "GetBallsCoords() - Get empty list");
    EXPECT_EQ(Message(SetBallsCoords, &list), "SetBallsCoords() - Get empty list");
    EXPECT_EQ(Message(GetBallsCoords, nullptr), "GetBallsCoords() - Get NULL pointer");
    EXPECT_EQ(Message(SetBallsCoords, nullptr), "SetBallsCoords() - Get NULL pointer");
}

TEST_F(SceneSync, NullEntryStopsTheCopyAfterTheEntriesBeforeIt)
{
    CBall* first = Append(vec3(2.0f, 0.0f, 1.0f));
    CBall* second = Append(vec3(4.0f, 0.0f, 1.0f));
    list.items.push_back(nullptr);
    CBall* fourth = Append(vec3(8.0f, 0.0f, 1.0f));
    const Ball untouched = ball[4];
    EXPECT_EQ(Message(GetBallsCoords, &list), "GetBallsCoords() - Get NULL pointer");
    EXPECT_NEAR(ball[1].position.x, 0.1, 1e-7);
    EXPECT_NEAR(ball[2].position.x, 0.2, 1e-7);
    EXPECT_TRUE(BitEqual(ball[4], untouched));

    for (int k = 1; k <= 4; ++k)
        ball[k].position = vec3(1.0f, 0.0f, 0.05f);
    EXPECT_EQ(Message(SetBallsCoords, &list), "SetBallsCoords() - Get NULL pointer");
    EXPECT_NEAR(first->position.x, 20.0, 1e-5);
    EXPECT_NEAR(second->position.x, 20.0, 1e-5);
    EXPECT_EQ(fourth->position.x, 8.0f);
}

TEST_F(SceneSync, HandedPassesReachTheListUntilTheHandOverEnds)
{
    CBall* b = Append(vec3());
    ball[1] = Ball{};
    ball[1].position = vec3(0.0f, 0.0f, 0.5f); // off the bed: no contacts
    ball[1].velocity = vec3(1.0f, 0.0f, 0.0f);
    Gravity = 0.0f;
    HandPassesTo(&list);
    Start(0.002, 1);
    EXPECT_NEAR(b->position.x, 0.04, 1e-5); // 0.002 m in scene units
    EXPECT_EQ(b->radius, 1.0f);

    HandPassesTo(nullptr);
    Start(0.002, 1);
    EXPECT_NEAR(b->position.x, 0.04, 1e-5);
    EXPECT_NEAR(ball[1].position.x, 0.004, 1e-7);
}

TEST_F(SceneSync, ShootFromSceneHandsEveryBallObjectButNotTheSpin)
{
    CBall* cue = Append(vec3(10.0f, 0.0f, 1.0f));
    CBall* other = Append(vec3(-4.0f, 2.0f, 1.0f));
    ball[1].angularVelocity = vec3(0.0f, 7.0f, 0.0f);
    ShootFromScene(*cue, list, 0.0f, 40.0f);
    EXPECT_EQ(cue->velocity.x, 40.0f);
    EXPECT_FLOAT_EQ(ball[1].velocity.x, 2.0f); // m/s
    EXPECT_FLOAT_EQ(ball[1].position.x, 0.5f);
    EXPECT_EQ(ball[1].angularVelocity.y, 7.0f); // the spin is the physics' own
    EXPECT_FLOAT_EQ(ball[2].position.x, -0.2f);
    EXPECT_FLOAT_EQ(ball[2].position.y, other->position.y / 20.0f);
}

TEST_F(SceneSync, ShootFromAnEmptySceneSetsTheVelocityThenRaisesTheSyncError)
{
    CBall cue(nullptr);
    EXPECT_EQ(ErrorOf([&] { ShootFromScene(cue, list, 0.0f, 20.0f); }),
              "GetBallsCoords() - Get empty list");
    EXPECT_EQ(cue.velocity.x, 20.0f);
}

} // namespace
