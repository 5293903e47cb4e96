// The game's own level, loaded into Game and drawn from the preview's views.
#pragma once

#include "tools/assetview/PreviewViews.h"

// Loads the level as the game starts it (Game.LoadData, then Game.LoadLevel)
// from data/ under the working directory, aims the cue where the game's first
// frame aims it, and draws one frame that nobody sees: the models compile
// their display lists on the first draw and show from the second. Needs the
// window's GL context in the state the game sets up (CGame::Create, or
// CGame::Setup and Resize). Throws the game's loading errors.
void LoadPreviewLevel();

// One frame of `view` into the back buffer: the game's camera at the view's eye
// and look point, the scene light, the objects and the room, without the text
// overlays. A line-up view moves the balls and hides the cue for that frame only.
void DrawPreview(const PreviewView& view);

// Deletes what LoadPreviewLevel made (objects, room, textures) while the
// context is still current; safe when nothing was loaded.
void UnloadPreviewLevel();
