// The game's scene rebuilt for looking at the assets.
#include "tools/assetview/PreviewScene.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

// The rack: rows of 5, 4, 3, 2 and 1 balls, numbers 1 to 15.
std::vector<PreviewBall> Rack()
{
    std::vector<PreviewBall> balls;
    int number = 1;
    for (int r = 0; r < 5; ++r)
        for (int j = 0; j <= 4 - r; ++j, ++number) {
            // A fixed spread of orientations so both discs and bands show.
            float angle = static_cast<float>((number * 67) % 360);
            ScenePoint axis{std::sin(number * 1.3f), std::cos(number * 0.7f), std::sin(number * 2.1f)};
            balls.push_back({number, {-25.0f + 1.5f * r, -6.0f + 1.5f * r + 3.0f * j, 1.0f}, angle, axis});
        }
    balls.push_back({0, {10.0f, 0.0f, 1.0f}, 0.0f, {0, 0, 1}});
    return balls;
}

} // namespace

CPreviewScene::CPreviewScene() : quadric(gluNewQuadric())
{
    gluQuadricTexture(quadric, GL_TRUE);
}

CPreviewScene::~CPreviewScene()
{
    gluDeleteQuadric(quadric);
}

void CPreviewScene::Load()
{
    glClearColor(0, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (const char* name : {"wall", "floor", "ceil", "cue"})
        textures.Get(std::string("data/") + name + ".bmp");
    for (int n = 0; n <= 15; ++n)
        textures.Get("data/ball_" + std::to_string(n) + ".bmp");
    cue.Load("data/cue.3ds", textures);
    table.Load("data/pooltable.3ds", textures);
    printf("Lights=%i\n", table.LightCount() + 1);
    balls = Rack();
}

void CPreviewScene::SetCamera(const ScenePoint& eye, const ScenePoint& look)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 1.0, 5000.0);
    gluLookAt(eye.y, eye.z, eye.x, look.y, look.z, look.x, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
}

void CPreviewScene::Draw(const ScenePoint& eye) const
{
    static const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f}, white[4] = {1, 1, 1, 1};
    static const GLfloat position[4] = {0, 0, 0, 0}, direction[3] = {0, 0, -1};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHT3);
    glLightfv(GL_LIGHT3, GL_SPECULAR, white);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT3, GL_POSITION, position);
    glLightfv(GL_LIGHT3, GL_SPOT_DIRECTION, direction);
    for (int i = static_cast<int>(balls.size()) - 2; i >= 0; --i)
        DrawBall(balls[static_cast<size_t>(i)], eye);
    DrawBall(balls.back(), eye);
    table.Render(0.0f, 0.0f, 0.0f);
    if (showCue)
        DrawCue();
    DrawRoom();
}

void CPreviewScene::DrawBall(const PreviewBall& ball, const ScenePoint& eye) const
{
    static const GLfloat ambient[4] = {1, 1, 1, 1}, diffuse[4] = {0.5f, 0.5f, 0.5f, 1}, specular[4] = {1, 1, 1, 1};
    glPushMatrix();
    glTranslatef(ball.position.y, ball.position.z, ball.position.x);
    if (ball.angle != 0.0f)
        glRotatef(ball.angle, ball.axis.y, ball.axis.z, ball.axis.x);
    float dx = eye.x - ball.position.x, dy = eye.y - ball.position.y, dz = eye.z - ball.position.z;
    int n = static_cast<int>(256.0f / (std::sqrt(dx * dx + dy * dy + dz * dz) + 16.0f) + 4.0f);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glBindTexture(GL_TEXTURE_2D, textures.Get("data/ball_" + std::to_string(ball.number) + ".bmp"));
    gluSphere(quadric, 1.0, 2 * n, n);
    glPopMatrix();
}

void CPreviewScene::DrawCue() const
{
    const ScenePoint& p = balls.back().position;
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(p.y, p.z, p.x);
    glRotatef(cueAngle, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -2.0f);
    glRotatef(4.0f, 1.0f, 0.0f, 0.0f);
    cue.Render(0.0f, 0.0f, 0.0f);
    glPopMatrix();
}

void CPreviewScene::DrawRoom() const
{
    // The box, in OpenGL coordinates: corner (-250, -26.5, 200), extent (500, 200, 400).
    const float x0 = -250.0f, x1 = 250.0f, y0 = -26.5f, y1 = 173.5f, z0 = -200.0f, z1 = 200.0f;
    struct V { float s, t, x, y, z; };
    auto quads = [](const V* v, int n) {
        glBegin(GL_QUADS);
        for (int i = 0; i < n; ++i) {
            glTexCoord2f(v[i].s, v[i].t);
            glVertex3f(v[i].x, v[i].y, v[i].z);
        }
        glEnd();
    };
    const V walls[] = {
        {20, 20, x0, y0, z1}, {20, 0, x0, y1, z1}, {0, 0, x1, y1, z1}, {0, 20, x1, y0, z1},
        {0, 20, x0, y0, z1}, {20, 20, x0, y0, z0}, {20, 0, x0, y1, z0}, {0, 0, x0, y1, z1},
        {0, 20, x0, y0, z0}, {20, 20, x1, y0, z0}, {20, 0, x1, y1, z0}, {0, 0, x0, y1, z0},
        {20, 20, x1, y0, z1}, {20, 0, x1, y1, z1}, {0, 0, x1, y1, z0}, {0, 20, x1, y0, z0},
    };
    const V ceiling[] = {{0, 0, x0, y1, z1}, {0, 20, x0, y1, z0}, {20, 20, x1, y1, z0}, {20, 0, x1, y1, z1}};
    const V floor[] = {{0, 20, x0, y0, z1}, {20, 20, x1, y0, z1}, {20, 0, x1, y0, z0}, {0, 0, x0, y0, z0}};
    glBindTexture(GL_TEXTURE_2D, textures.Get("data/wall.bmp"));
    quads(walls, 16);
    glBindTexture(GL_TEXTURE_2D, textures.Get("data/ceil.bmp"));
    quads(ceiling, 4);
    glBindTexture(GL_TEXTURE_2D, textures.Get("data/floor.bmp"));
    quads(floor, 4);
}
