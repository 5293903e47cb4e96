// CBall: construction, texture, drawing with distance-dependent detail, the cue's strike.
#include "scene/Ball.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "physics/Units.h"
#include "scene/DrawContext.h"
#include "scene/TextureList.h"

float BallQuality = 256.0f;

static_assert(sizeof(unsigned int) == sizeof(GLuint), "CBall::texture holds a GLuint");


int BallDetail(float distance)
{
    double n = BallQuality / (distance + 16.0) + 4.0;
    if (!(n >= 2.0)) // also catches NaN
        n = 2.0;
    if (n > 1024.0)
        n = 1024.0;
    return static_cast<int>(n);
}

static GLUquadric* NewBallQuadric()
{
    // Needs no GL context: a quadric is only a set of drawing options.
    GLUquadric* q = gluNewQuadric();
    if (!q)
        throw std::runtime_error("Unable to create the ball's quadric: out of memory");
    gluQuadricTexture(q, GL_TRUE);
    return q;
}

CBall::CBall(CObjectList* owner_)
    : owner(owner_), velocity(), rotation(), number(0), radius(1.0f), quadric(nullptr), texture(0)
{
    type = ObjectBall;
    position = vec3(10.0f, 0.0f, 1.0f);
    quadric = NewBallQuadric();
}

CBall::CBall(CObjectList* owner_, const vec3& position_, int number_)
    : owner(owner_), velocity(), rotation(), number(number_), radius(1.0f), quadric(nullptr),
      texture(0)
{
    type = ObjectBall;
    position = position_;
    // Three draws, in this order, so a seeded generator gives the same rack.
    rotation.z = static_cast<float>(rand() % 360);
    rotation.y = static_cast<float>(rand() % 360);
    rotation.x = static_cast<float>(rand() % 360);
    quadric = NewBallQuadric();
}

CBall::~CBall()
{
    gluDeleteQuadric(quadric);
}

void CBall::SetTexture(CTextureList& textures, int n)
{
    char path[64];
    snprintf(path, sizeof path, "data/ball_%i.bmp", n);
    CTexture* t = textures.Get(path);
    if (!t)
        throw std::runtime_error(std::string("Unable set ball texture:") + path);
    texture = t->id;
}

void CBall::Shoot(float angle, float speed)
{
    const float a = angle * RadiansPerDegree;
    velocity = vec3(speed * std::cos(a), speed * std::sin(a), 0.0f);
}

bool CBall::Collide(CObject*)
{
    return false;
}

void CBall::Process(CObject* other)
{
    if (killed)
        return;
    if (!other)
        throw std::runtime_error("CBall::Process() - Get NULL pointer");
}

// One axis of a wall bounce: a coordinate past ±bound is put on the wall and
// its speed reversed.
static void Bounce(float& p, float& v, float bound)
{
    if (p < -bound) {
        p = -bound;
        v = -v;
    }
    if (p > bound) {
        p = bound;
        v = -v;
    }
}

bool CBall::Move(float seconds)
{
    if (killed)
        return false;
    // Bounce off the walls first, then step: a ball may end up to one step outside.
    Bounce(position.y, velocity.y, BallBoundY);
    Bounce(position.x, velocity.x, BallBoundX);
    position += velocity * seconds;
    return true;
}

void CBall::Draw(const DrawContext& context)
{
    if (hidden)
        return;
    const float r = Length(rotation);
    glPushMatrix();
    // Scene (x, y, z) is OpenGL (y, z, x).
    glTranslatef(position.y, position.z, position.x);
    if (r > 0.0f)
        glRotatef(r, rotation.y, rotation.z, rotation.x);

    const int n = BallDetail(Length(context.eye - position));

    static const GLfloat ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat diffuse[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    static const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glBindTexture(GL_TEXTURE_2D, texture);
    gluSphere(quadric, radius, 2 * n, n);
    glPopMatrix();
}
