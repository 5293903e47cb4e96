// CGame::Draw (the screen on show), the scene, and the overlays every screen shares.
#include "app/Game.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/SceneLight.h"
#include "app/Screen.h"
#include "physics/Units.h"
#include "scene/Cue.h"

// Pen positions of the overlays, window pixels from the bottom left.
static const float PanelTopMargin = 10.0f;
static const float CreditsY = 30.0f;

const char CreditsText[] = "Programming: the Baizeline team\n"
                           "Design: the Baizeline team\n"
                           "\n"
                           "Baizeline workshop, 2026";

void CGame::ClearFrame()
{
    // Nothing draws with the stencil, but depth and stencil share one buffer:
    // clearing depth alone makes the renderer keep each pixel's stencil byte,
    // clearing both is one plain fill.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

DrawContext CGame::SceneContext() const
{
    DrawContext context;
    context.eye = camera.position;
    context.debug = debug;
    return context;
}

void CGame::DrawScene()
{
    ClearFrame();
    SetSceneLight(lighting);
    const DrawContext context = SceneContext();
    objects.DrawAll(context); // cue, table, pockets and balls before the room
    scenery.DrawAll(context);
}

void CGame::Draw()
{
    if (screen) {
        screen->Draw();
        return;
    }
    DrawScene();
    ShowStatus();
}

void CGame::ShowStatus(bool credits)
{
    glColor3f(1.0f, 1.0f, 1.0f);
    font.Print(0.0f, height - PanelTopMargin, "%.1f", fps.average);
    if (credits && showCredits)
        font.Print(0.0f, CreditsY, "%s", CreditsText);
    if (debug)
        ShowDebug();
}

int CGame::EnabledLights() const
{
    int count = 0;
    for (GLenum light = GL_LIGHT0; light <= GL_LIGHT6; ++light)
        if (glIsEnabled(light))
            ++count;
    return count;
}

void CGame::ShowDebug()
{
    char text[256];
    const float top = height - PanelTopMargin;
    snprintf(text, sizeof text,
             "Camera:\n   Position: %4.3f, %4.3f, %4.3f\n   Look: %4.3f, %4.3f, %4.3f\n"
             "   State: %i, Angle = %4.3f, PitchAngle = %4.3f",
             camera.position.x, camera.position.y, camera.position.z, camera.look.x,
             camera.look.y, camera.look.z, camera.state, camera.angle * DegreesPerRadian,
             camera.pitchAngle * DegreesPerRadian);
    font.Print(400.0f, top, "%s", text);

    snprintf(text, sizeof text, "Mouse:\n   X = %i, Y = %i\n   Button = %i\n", mouse.x, mouse.y,
             mouse.button);
    font.Print(75.0f, top, "%s", text);

    if (cue) {
        snprintf(text, sizeof text, "Cue:\n   Power = %4.3f\n   Angle = %4.2f\n   State = %i",
                 cue->power, cue->angle, cue->state);
        font.Print(250.0f, top, "%s", text);
    }

    font.Print(300.0f, 0.0f, "Lights = %i ", EnabledLights());
}

void CGame::ShowGLInfo()
{
    const SDL_Surface* surface = SDL_GetVideoSurface();
    const GLubyte* vendor = glGetString(GL_VENDOR);
    const GLubyte* renderer = glGetString(GL_RENDERER);
    const GLubyte* version = glGetString(GL_VERSION);
    printf("Screen BPP: %d\n", surface ? surface->format->BitsPerPixel : 0);
    printf("\n");
    printf("Vendor     : %s\n", vendor ? reinterpret_cast<const char*>(vendor) : "");
    printf("Renderer   : %s\n", renderer ? reinterpret_cast<const char*>(renderer) : "");
    printf("Version    : %s\n", version ? reinterpret_cast<const char*>(version) : "");
    printf("\n");
}
