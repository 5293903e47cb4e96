// BeginPixelOverlay and EndPixelOverlay: the projection and state a flat HUD is drawn with.
#include "app/PixelOverlay.h"

#include <GL/gl.h>
#include <GL/glu.h>

void BeginPixelOverlay(int width, int height)
{
    // Enables, current colour, matrix mode and blending come back with the pop.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0.0, width, 0.0, height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void EndPixelOverlay()
{
    glPopMatrix(); // model-view
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
