// CPot: a pocket; in debug mode a red wire sphere shows where it is.
#include "scene/Pot.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <stdexcept>

#include "scene/DrawContext.h"

CPot::CPot(CObjectList* owner_) : CPot(owner_, vec3())
{
}

CPot::CPot(CObjectList* owner_, vec3 position_) : owner(owner_), radius(1.0f), quadric(gluNewQuadric())
{
    if (!quadric)
        throw std::runtime_error("Unable to create the pocket's quadric");
    type = ObjectPot;
    position = position_;
}

CPot::~CPot()
{
    gluDeleteQuadric(quadric);
}

void CPot::Process(CObject*)
{
}

void CPot::Draw(const DrawContext& context)
{
    if (!context.debug)
        return;
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3f(1.0f, 0.0f, 0.0f);
    glTranslatef(position.y, position.z, position.x); // scene to OpenGL axis order
    gluSphere(quadric, radius, 10, 5);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
