// Input handling: SDL events into the run flag, the toggles and the mouse record.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "app/Game.h"
#include "app/MouseInput.h"
#include "tests/support/GlWindow.h"

namespace {

int fakeDx = 0, fakeDy = 0;
unsigned char FakeRelative(int* dx, int* dy)
{
    *dx = fakeDx;
    *dy = fakeDy;
    return 0;
}

class GameInput : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        GetRelativeMouse = FakeRelative;
        std::memset(SDL_GetKeyState(nullptr), 0, SDLK_LAST);
        game.mouse.grabbed = true;
    }
    void TearDown() override { std::memset(SDL_GetKeyState(nullptr), 0, SDLK_LAST); }

    void Motion(int x, int y, int dx = 0, int dy = 0)
    {
        fakeDx = dx;
        fakeDy = dy;
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = static_cast<Uint16>(x);
        e.motion.y = static_cast<Uint16>(y);
        EXPECT_TRUE(game.HandleEvent(e));
    }
    void KeyDown(SDLKey held)
    {
        SDL_GetKeyState(nullptr)[held] = 1;
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = held;
        EXPECT_TRUE(game.HandleEvent(e));
    }
    void Button(Uint8 type, Uint8 button)
    {
        SDL_Event e{};
        e.type = type;
        e.button.button = button;
        EXPECT_TRUE(game.HandleEvent(e));
    }

    // Not the global: its destructor's SDL_Quit is undone by the fixture's SetUp.
    CGame game;
};

TEST_F(GameInput, PointerWrapsAtTwentyAndTheFarEdges)
{
    const int xs[][2] = {{621, 20}, {620, 620}, {19, 620}, {20, 20}, {300, 300}};
    for (const auto& c : xs) {
        Motion(c[0], 100);
        EXPECT_EQ(game.mouse.x, c[1]) << "x = " << c[0];
    }
    const int ys[][2] = {{461, 20}, {460, 460}, {19, 460}, {20, 20}};
    for (const auto& c : ys) {
        Motion(100, c[0]);
        EXPECT_EQ(game.mouse.y, c[1]) << "y = " << c[0];
    }
}

TEST_F(GameInput, UngrabbedPointerIsStoredRawWithoutRelativeReading)
{
    game.mouse.grabbed = false;
    Motion(700, 5, 30, 40);
    EXPECT_EQ(game.mouse.x, 700);
    EXPECT_EQ(game.mouse.y, 5);
    EXPECT_EQ(game.mouse.dx, 0);
    EXPECT_EQ(game.mouse.dy, 0);
}

TEST_F(GameInput, SpikeFilterDropsOnlyTheReadingsComponentBeyondFiveAndFourHundred)
{
    Motion(100, 100, 500, 400);
    EXPECT_EQ(game.mouse.dx, 500);
    EXPECT_EQ(game.mouse.dy, 400);
    Motion(100, 100, 501, 401); // a warp: nothing added
    EXPECT_EQ(game.mouse.dx, 500);
    EXPECT_EQ(game.mouse.dy, 400);
    Motion(100, 100, -501, -400);
    EXPECT_EQ(game.mouse.dx, 500);
    EXPECT_EQ(game.mouse.dy, 0);
}

TEST_F(GameInput, RelativeReadingsOfOneFrameAddUp)
{
    Motion(100, 100, 7, 8);
    Motion(101, 101, 3, -2);
    EXPECT_EQ(game.mouse.dx, 10);
    EXPECT_EQ(game.mouse.dy, 6);
}

TEST_F(GameInput, ButtonHoldsTheLastPressAndAnyReleaseClearsIt)
{
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    EXPECT_EQ(game.mouse.button, 1);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_EQ(game.mouse.button, 3);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    EXPECT_EQ(game.mouse.button, 0);
}

TEST_F(GameInput, WheelNotchWhileAimingKeepsTheLeftButtonHeld)
{
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    for (Uint8 wheel : {SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        Button(SDL_MOUSEBUTTONDOWN, wheel);
        Button(SDL_MOUSEBUTTONUP, wheel);
        EXPECT_EQ(game.mouse.button, SDL_BUTTON_LEFT) << "wheel " << int(wheel);
    }
}

TEST_F(GameInput, EscapeAndTheCloseRequestStopTheGame)
{
    KeyDown(SDLK_ESCAPE);
    EXPECT_FALSE(game.running);

    CGame other;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_TRUE(other.HandleEvent(quit));
    EXPECT_FALSE(other.running);
}

TEST_F(GameInput, EachKeyPressTogglesItsOwnSettingWhateverElseIsHeld)
{
    game.lighting = true;
    glEnable(GL_LIGHTING);
    const bool credits = game.showCredits;

    KeyDown(SDLK_a);
    EXPECT_NE(game.showCredits, credits);
    KeyDown(SDLK_l); // A is still held: only the lighting toggles
    EXPECT_NE(game.showCredits, credits);
    EXPECT_FALSE(game.lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(game.running);
}

// SDL_PushEvent leaves the key state array alone, so each press below is
// handled while the array shows its key up: what the game sees when a tap's
// press and release arrive in one batch of events.
TEST_F(GameInput, TapsWhoseReleaseIsQueuedWithThePressStillActEachTime)
{
    game.lighting = true;
    glEnable(GL_LIGHTING);
    const bool credits = game.showCredits;
    const SDLKey taps[] = {SDLK_a, SDLK_a, SDLK_a, SDLK_l, SDLK_ESCAPE};
    for (SDLKey key : taps)
        for (Uint8 type : {Uint8(SDL_KEYDOWN), Uint8(SDL_KEYUP)}) {
            SDL_Event e{};
            e.type = type;
            e.key.keysym.sym = key;
            ASSERT_EQ(SDL_PushEvent(&e), 0);
        }
    SDL_Event e;
    while (SDL_PollEvent(&e))
        game.HandleEvent(e);

    EXPECT_NE(game.showCredits, credits); // three toggles
    EXPECT_FALSE(game.lighting);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(game.running);
}

TEST_F(GameInput, UnknownEventsAreRefusedAndActivityIsAccepted)
{
    SDL_Event e{};
    e.type = SDL_VIDEORESIZE;
    EXPECT_FALSE(game.HandleEvent(e));
    e.type = SDL_ACTIVEEVENT;
    EXPECT_TRUE(game.HandleEvent(e));
    EXPECT_TRUE(game.running);
    EXPECT_EQ(game.keys, SDL_GetKeyState(nullptr));
}

} // namespace
