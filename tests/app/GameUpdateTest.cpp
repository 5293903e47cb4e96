// The frame update: the shot cycle from the mouse, the cue's power and aim, the physics every frame.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Game.h"
#include "physics/Ball.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/Cue.h"
#include "tests/app/LevelFixture.h"

namespace {

class GameUpdate : public LevelFixture {
protected:
    void Frame(int button, int dx = 0, int dy = 0, float dt = 0.001f)
    {
        Game.mouse.button = button;
        Game.mouse.dx = dx;
        Game.mouse.dy = dy;
        Game.Move(dt);
    }
    // Across the cloth: a ball at rest still falls a little in every pass and is
    // lifted back, so its vertical speed is never quite zero.
    float CueBallSpeed() const
    {
        const vec3& v = Game.cueBall->velocity;
        return std::sqrt(v.x * v.x + v.y * v.y);
    }
};

TEST_F(GameUpdate, PressDragReleaseFiresOnceWithTenTimesThePower)
{
    Frame(SDL_BUTTON_LEFT);
    EXPECT_EQ(Game.camera.state, 0);
    EXPECT_EQ(Game.cue->state, CueAiming);
    Frame(SDL_BUTTON_LEFT, 0, 30); // 30 px toward the bottom: +3 power
    EXPECT_FLOAT_EQ(Game.cue->power, 5.0f);
    EXPECT_FLOAT_EQ(CueBallSpeed(), 0.0f);

    Frame(0);
    EXPECT_EQ(Game.cue->state, CueStruck);
    EXPECT_FLOAT_EQ(Game.cue->power, 2.0f);
    EXPECT_EQ(Game.camera.state, 1);
    // 50 units/s, less what 1 ms of sliding on the cloth takes (μg·t ≈ 0.14 units/s).
    EXPECT_NEAR(CueBallSpeed(), 50.0f, 0.3f);

    Game.cue->state = CueHidden; // as the cue's drawing leaves it
    Frame(0);
    EXPECT_EQ(Game.cue->state, CueHidden);
    EXPECT_LT(CueBallSpeed(), 50.0f); // no second shot: only slowing down
}

TEST_F(GameUpdate, ClickWithoutMotionStrikesWithStrengthTwenty)
{
    Frame(SDL_BUTTON_LEFT);
    Frame(0);
    EXPECT_NEAR(CueBallSpeed(), 20.0f, 0.3f);
}

TEST_F(GameUpdate, ShotGoesWhereTheCameraLooks)
{
    Game.camera.angle = HalfPi;
    Frame(SDL_BUTTON_LEFT);
    EXPECT_NEAR(Game.cue->angle, 90.0f, 1e-3);
    Frame(0);
    EXPECT_NEAR(Game.cueBall->velocity.x, 0.0f, 0.01f);
    EXPECT_NEAR(Game.cueBall->velocity.y, 20.0f, 0.3f);
}

TEST_F(GameUpdate, RightButtonWhileAimingZoomsAndTheShotFollowsTheRelease)
{
    Frame(SDL_BUTTON_LEFT);
    const float distance = Game.camera.distance;
    Frame(SDL_BUTTON_RIGHT, 0, 10);
    EXPECT_EQ(Game.camera.state, 2);
    EXPECT_EQ(Game.cue->state, CueAiming);
    EXPECT_FLOAT_EQ(Game.camera.distance, distance + 10.0f);
    EXPECT_FLOAT_EQ(CueBallSpeed(), 0.0f);
    Frame(0);
    EXPECT_EQ(Game.cue->state, CueStruck);
    EXPECT_GT(CueBallSpeed(), 19.0f);
}

TEST_F(GameUpdate, ReleaseWithoutAimingFiresNothing)
{
    ASSERT_EQ(Game.cue->state, CueResting);
    Frame(SDL_BUTTON_RIGHT);
    Frame(0);
    EXPECT_EQ(Game.cue->state, CueResting);
    EXPECT_FLOAT_EQ(CueBallSpeed(), 0.0f);
}

TEST_F(GameUpdate, AimingFreezesTheHeadingAndPowerStaysWithinTwoToFifteen)
{
    const float heading = Game.camera.angle;
    Frame(SDL_BUTTON_LEFT, 200, 500);
    EXPECT_EQ(Game.camera.angle, heading);
    EXPECT_FLOAT_EQ(Game.cue->power, 15.0f);
    Frame(SDL_BUTTON_LEFT, 0, -400);
    EXPECT_FLOAT_EQ(Game.cue->power, 2.0f);
}

TEST_F(GameUpdate, MouseMotionIsConsumedOnceAFrameAndTurnsTheIdleCamera)
{
    const float heading = Game.camera.angle;
    Frame(0, 100, 0);
    EXPECT_NEAR(Game.camera.angle, heading + 100 * 0.003f, 1e-5);
    EXPECT_EQ(Game.mouse.dx, 0);
    EXPECT_EQ(Game.mouse.dy, 0);
    EXPECT_NEAR(Game.cue->angle, Game.camera.angle * DegreesPerRadian, 1e-3);
}

TEST_F(GameUpdate, PhysicsRunsEveryFrameEvenWhileAiming)
{
    // A ball placed in the air falls while the shot is being set up.
    ball[1].position.z = 0.5f;
    Frame(SDL_BUTTON_LEFT, 0, 0, 0.05f);
    EXPECT_LT(ball[1].position.z, 0.5f);
    EXPECT_LT(Game.objects.items.front()->position.z, 10.0f);
}

TEST_F(GameUpdate, FrameRateAverageFollowsTheFrameTimes)
{
    CGame& g = Game;
    for (int i = 0; i < 30; ++i)
        Frame(0, 0, 0, 0.001f);
    EXPECT_NEAR(g.fps.average, 1000.0f, 0.5f);
    EXPECT_FLOAT_EQ(g.frameTime, 0.001f);
    for (int i = 0; i < 30; ++i)
        Frame(0, 0, 0, 1.0f / 60.0f);
    EXPECT_NEAR(g.fps.average, 60.0f, 0.01f);
}

} // namespace
