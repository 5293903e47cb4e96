// CCue: the cue stick, drawn at its ball, turned to the aim and pulled back by the power.
#include "scene/Cue.h"

#include <GL/gl.h>

#include "scene/Ball.h"

float CueOffset(int state, float power, float radius)
{
    if (state == CueResting)
        return -2.0f;
    if (state == CueAiming)
        return radius - power;
    return 0.0f;
}

CCue::CCue(CObjectList* owner_, CTextureList* textures)
    : owner(owner_), angle(0.0f), power(CueMinPower), ball(nullptr), state(CueResting)
{
    type = ObjectCue;
    Load("data/cue.3ds", textures);
}

void CCue::SetPower(float p)
{
    if (p < CueMinPower)
        power = CueMinPower;
    else if (p > CueMaxPower)
        power = CueMaxPower;
    else
        power = p;
}

void CCue::Rotate(float a)
{
    angle = a;
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(100.0f, 0.0f, 0.0f);
    glEnd();
}

void CCue::Process(CObject*)
{
}

void CCue::Draw(const DrawContext&)
{
    if (state == CueStruck) {
        state = CueHidden;
        return;
    }
    if ((state != CueResting && state != CueAiming) || !ball)
        return;
    const vec3& p = ball->position;
    glPushMatrix();
    // The camera keeps its view in the projection matrix, so identity here is
    // the world frame.
    if (state == CueResting)
        glLoadIdentity();
    glTranslatef(p.y, p.z, p.x); // scene to OpenGL axis order
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, CueOffset(state, power, ball->radius));
    glRotatef(4.0f, 1.0f, 0.0f, 0.0f); // the cue leans 4° off the cloth
    try {
        Render();
    } catch (...) {
        glPopMatrix();
        throw;
    }
    glPopMatrix();
}
