// CCamera under a GL context: orbit and free geometry, clamps, keys, and the matrix it loads.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>

#include <cmath>

#include "camera/Camera.h"
#include "camera/PlayOrbit.h"
#include "physics/Ball.h"
#include "physics/Units.h"
#include "tests/support/GlWindow.h"

namespace {

class Camera : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        keys = SDL_GetKeyState(nullptr);
    }
    void TearDown() override
    {
        for (int k : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_KP_PLUS, SDLK_KP_MINUS})
            keys[k] = 0;
    }
    // The invariant every operation keeps: look − position = distance·direction.
    void ExpectLookFromEye(const CCamera& c)
    {
        const vec3 d = c.Direction();
        EXPECT_NEAR(c.look.x - c.position.x, c.distance * d.x, 1e-3);
        EXPECT_NEAR(c.look.y - c.position.y, c.distance * d.y, 1e-3);
        EXPECT_NEAR(c.look.z - c.position.z, c.distance * d.z, 1e-3);
    }

    Uint8* keys = nullptr;
};

TEST_F(Camera, OrbitPutsTheEyeSixtyUnitsOutAndRaisedByThePitch)
{
    CCamera c;
    c.look = vec3(10.0f, 0.0f, 1.0f);
    c.Update(true);
    EXPECT_NEAR(c.position.x, 70.0, 1e-4);
    EXPECT_NEAR(c.position.y, 0.0, 1e-4);
    EXPECT_NEAR(c.position.z, 1.0, 1e-6);

    c.pitchAngle = -0.2f; // what the configuration gives orbit mode
    c.Update(true);
    EXPECT_NEAR(c.position.z - c.look.z, 60.0 * std::sin(0.2), 1e-4); // about 11.92
    ExpectLookFromEye(c);
}

TEST_F(Camera, PitchStopsAtOnePointFiveAndHeadingIsNeverWrapped)
{
    CCamera c;
    c.Move(0, -100000);
    EXPECT_EQ(c.pitchAngle, 1.5f);
    c.Move(0, 100000);
    EXPECT_EQ(c.pitchAngle, -1.5f);
    c.Move(10000, 0); // 30 rad of heading
    EXPECT_NEAR(c.angle, Pi + 30.0, 1e-4);
    ExpectLookFromEye(c);
}

TEST_F(Camera, ZoomStopsAtTwoAndAThousand)
{
    CCamera c;
    c.state = 2;
    c.Move(0, -100);
    EXPECT_EQ(c.distance, 2.0f);
    c.Move(0, 5000);
    EXPECT_EQ(c.distance, 1000.0f);
    EXPECT_EQ(c.angle, Pi); // zooming never turns
}

TEST_F(Camera, ModesTurnTheHeadingOppositeWaysButPitchTheSameWay)
{
    CCamera orbit, free;
    free.mode = 1;
    orbit.Move(100, 50);
    free.Move(100, 50);
    EXPECT_NEAR(orbit.angle, Pi + 0.3, 1e-5);
    EXPECT_NEAR(free.angle, Pi - 0.3, 1e-5);
    EXPECT_NEAR(orbit.pitchAngle, -0.15, 1e-6);
    EXPECT_EQ(free.pitchAngle, orbit.pitchAngle);
    // The free camera keeps its eye and moves what it looks at.
    EXPECT_EQ(free.position.x, 50.0f);
    ExpectLookFromEye(free);
}

TEST_F(Camera, HeldLeftButtonFreezesTheCamera)
{
    CCamera c;
    c.Update(true);
    const vec3 eye = c.position;
    c.state = 0;
    c.Move(300, -200);
    EXPECT_EQ(c.angle, Pi);
    EXPECT_EQ(c.pitchAngle, 0.0f);
    EXPECT_EQ(c.distance, 60.0f);
    EXPECT_EQ(c.position.x, eye.x);
}

TEST_F(Camera, ArrowsMoveAlongTheOldHeadingAndTurn)
{
    CCamera c;
    c.mode = 1;
    c.angle = 0.0f;
    keys[SDLK_UP] = 1;
    keys[SDLK_LEFT] = 1;
    c.KeyMove(0.1f); // 2.5 units forward along heading 0, then 0.2 rad left
    EXPECT_NEAR(c.position.x, 52.5, 1e-4);
    EXPECT_NEAR(c.position.y, 0.0, 1e-6);
    EXPECT_NEAR(c.angle, 0.2, 1e-6);
    ExpectLookFromEye(c);

    keys[SDLK_DOWN] = 1; // both arrows cancel
    keys[SDLK_LEFT] = 0;
    keys[SDLK_RIGHT] = 1;
    c.KeyMove(0.1f);
    EXPECT_NEAR(c.position.x, 52.5, 1e-4);
    EXPECT_NEAR(c.angle, 0.0, 1e-6);
}

TEST_F(Camera, KeypadHeightStaysBetweenTwoAndTwoHundred)
{
    CCamera c;
    c.mode = 1;
    keys[SDLK_KP_MINUS] = 1;
    c.KeyMove(1.0f);
    EXPECT_NEAR(c.position.z, 5.0, 1e-5);
    c.KeyMove(10.0f);
    EXPECT_EQ(c.position.z, 2.0f);
    keys[SDLK_KP_MINUS] = 0;
    keys[SDLK_KP_PLUS] = 1;
    c.KeyMove(100.0f);
    EXPECT_EQ(c.position.z, 200.0f);
}

// gluPerspective(45°, 4/3, 1, 5000) · gluLookAt, built by hand (row r, column c).
void ExpectedProjection(const vec3& eyeGl, const vec3& centreGl, double m[4][4])
{
    const double f = 1.0 / std::tan(22.5 * PiDouble / 180.0);
    const double aspect = static_cast<double>(4.0f / 3.0f), n = 1.0, far = 5000.0;
    const double P[4][4] = {{f / aspect, 0, 0, 0},
                            {0, f, 0, 0},
                            {0, 0, (far + n) / (n - far), 2 * far * n / (n - far)},
                            {0, 0, -1, 0}};
    double F[3] = {centreGl.x - eyeGl.x, centreGl.y - eyeGl.y, centreGl.z - eyeGl.z};
    const double lf = std::sqrt(F[0] * F[0] + F[1] * F[1] + F[2] * F[2]);
    for (double& v : F)
        v /= lf;
    const double up[3] = {0, 1, 0};
    double s[3] = {F[1] * up[2] - F[2] * up[1], F[2] * up[0] - F[0] * up[2], F[0] * up[1] - F[1] * up[0]};
    const double ls = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& v : s)
        v /= ls;
    const double u[3] = {s[1] * F[2] - s[2] * F[1], s[2] * F[0] - s[0] * F[2], s[0] * F[1] - s[1] * F[0]};
    const double e[3] = {eyeGl.x, eyeGl.y, eyeGl.z};
    const double L[4][4] = {{s[0], s[1], s[2], -(s[0] * e[0] + s[1] * e[1] + s[2] * e[2])},
                            {u[0], u[1], u[2], -(u[0] * e[0] + u[1] * e[1] + u[2] * e[2])},
                            {-F[0], -F[1], -F[2], F[0] * e[0] + F[1] * e[1] + F[2] * e[2]},
                            {0, 0, 0, 1}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            m[r][c] = 0;
            for (int k = 0; k < 4; ++k)
                m[r][c] += P[r][k] * L[k][c];
        }
}

TEST_F(Camera, UpdateLoadsPerspectiveAndViewIntoTheProjectionOnly)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    CCamera c;
    c.look = vec3(10.0f, -4.0f, 1.0f);
    c.pitchAngle = -0.2f;
    c.angle = 2.5f;
    c.Update(true);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat mv[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mv);
    EXPECT_EQ(mv[12], 1.0f);
    EXPECT_EQ(mv[13], 2.0f);
    EXPECT_EQ(mv[14], 3.0f);

    GLdouble got[16];
    glGetDoublev(GL_PROJECTION_MATRIX, got);
    double want[4][4];
    // Scene (x, y, z) is GL (y, z, x).
    ExpectedProjection(vec3(c.position.y, c.position.z, c.position.x), vec3(c.look.y, c.look.z, c.look.x),
                       want);
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(got[col * 4 + r], want[r][col], 1e-4 * (1.0 + std::fabs(want[r][col])))
                << "row " << r << " column " << col;
    glLoadIdentity();
}

// Window pixels of scene point `p` under the projection the camera loaded,
// for a `width` × `height` viewport.
void ToWindow(const vec3& p, int width, int height, double& x, double& y)
{
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double g[4] = {p.y, p.z, p.x, 1.0}; // scene (x, y, z) is GL (y, z, x)
    double clip[4] = {};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            clip[r] += m[c * 4 + r] * g[c];
    x = (clip[0] / clip[3] + 1.0) * 0.5 * width;
    y = (clip[1] / clip[3] + 1.0) * 0.5 * height;
}

TEST_F(Camera, TheWindowsAspectKeepsABallRoundInEveryWidescreenWindow)
{
    const struct {
        int w, h;
    } windows[] = {{800, 600}, {1280, 720}, {1920, 1080}, {1024, 576}};
    for (const auto& win : windows) {
        CCamera c;
        c.aspect = WindowAspect(win.w, win.h);
        c.look = vec3(0.0f, 0.0f, 0.57f);
        c.pitchAngle = -0.4f;
        c.distance = 8.0f;
        c.Update(true);
        // The ball's horizontal and vertical radii on screen, through its centre:
        // right is d × up, the screen's up is right × d.
        const vec3 d = c.Direction();
        vec3 right(d.y, -d.x, 0.0f);
        right = right / Length(right);
        const vec3 up(right.y * d.z - right.z * d.y, right.z * d.x - right.x * d.z,
                      right.x * d.y - right.y * d.x);
        const float r = 0.57f;
        double cx, cy, rx, ry, ux, uy;
        ToWindow(c.look, win.w, win.h, cx, cy);
        ToWindow(c.look + right * r, win.w, win.h, rx, ry);
        ToWindow(c.look + up * r, win.w, win.h, ux, uy);
        const double across = 2.0 * std::hypot(rx - cx, ry - cy);
        const double tall = 2.0 * std::hypot(ux - cx, uy - cy);
        EXPECT_NEAR(across, tall, 2.0) << win.w << "x" << win.h;
        EXPECT_GT(tall, 0.08 * win.h) << "a ball an aim's length away is big enough to judge";
    }
    // The free table's default stays 4:3, whatever the window.
    EXPECT_EQ(CCamera().aspect, ViewAspect);
    EXPECT_EQ(WindowAspect(0, 600), ViewAspect);
}

// Unit heading of the camera, level.
vec3 Heading(const CCamera& c)
{
    return vec3(std::cos(c.angle), std::sin(c.angle), 0.0f);
}

TEST_F(Camera, PlayOrbitTurnsTheAimTheWayTheMouseGoesUnlessInvertedAndShiftTurnsATenth)
{
    CCamera c;
    c.look = vec3(0.0f, 0.0f, 0.57f);
    const vec3 before = Heading(c);
    const vec3 right(before.y, -before.x, 0.0f); // the screen's right, level
    MoveOrbit(c, 40.0f, 0.0f, OrbitFeel(), 0.0f);
    EXPECT_GT(Dot(Heading(c), right), 0.05f) << "mouse right turns the aim right";

    CCamera inverted;
    OrbitFeel invert;
    invert.invert = true;
    MoveOrbit(inverted, 40.0f, 0.0f, invert, 0.0f);
    EXPECT_LT(Dot(Heading(inverted), right), -0.05f) << "InvertAim turns it left";

    CCamera fine;
    OrbitFeel shift;
    shift.fine = true;
    MoveOrbit(fine, 40.0f, 0.0f, shift, 0.0f);
    EXPECT_NEAR(fine.angle - Pi, 0.1f * (c.angle - Pi), 1e-6f) << "Shift: a tenth of the turn";
}

TEST_F(Camera, PlayOrbitZoomNeverPutsTheEyeInTheBallTheTableOrUnderTheCloth)
{
    const float radius = BallRadius * SceneUnitsPerMetre;
    const float ballTop = 2.0f * radius;
    for (float pitch : {-1.4f, -0.4f, 0.0f, 0.6f, 1.4f}) {
        CCamera c;
        c.look = vec3(0.0f, 0.0f, radius); // a ball's centre on the cloth at height 0
        c.pitchAngle = pitch;
        c.state = CCamera::StateZoom;
        MoveOrbit(c, 0.0f, -100000.0f, OrbitFeel(), 0.0f); // right-drag far up: all the way in
        EXPECT_GE(c.distance, OrbitNearest);
        EXPECT_GE(Length(c.position - c.look), OrbitNearest - 1e-3f);
        EXPECT_GT(Length(c.position - c.look), radius + 1.0f) << "the near plane clear of the ball";
        EXPECT_GE(c.position.z, OrbitEyeAboveCloth - 1e-3f) << "pitch " << pitch;
        EXPECT_GT(c.position.z, ballTop) << "above every ball";
        // Then looking up as far as the mouse goes: the eye still above the cloth.
        c.state = CCamera::StateRotate;
        MoveOrbit(c, 0.0f, 100000.0f, OrbitFeel(), 0.0f);
        EXPECT_GE(c.position.z, OrbitEyeAboveCloth - 1e-3f) << "pitch " << pitch;
        ExpectLookFromEye(c);
    }
}

} // namespace
