// SetSceneLight: the light every frame starts from, apart from the text overlays.
#include "app/SceneLight.h"

#include <GL/gl.h>

// The scene's one light. Its position (0, 0, 0, 0) is no direction at all, so
// what shapes the picture is mostly the 0.5 ambient of the light model.
void SetSceneLight(bool lighting)
{
    static const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    static const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat position[] = {0.0f, 0.0f, 0.0f, 0.0f};
    static const GLfloat down[] = {0.0f, 0.0f, -1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    // The L key's choice holds for the whole frame.
    if (lighting)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glEnable(GL_LIGHT3);
    glLightfv(GL_LIGHT3, GL_SPECULAR, white);
    glLightfv(GL_LIGHT3, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT3, GL_POSITION, position);
    glLightfv(GL_LIGHT3, GL_SPOT_DIRECTION, down);
}
