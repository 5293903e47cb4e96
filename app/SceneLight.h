// SetSceneLight: the light every frame starts from, apart from the text overlays.
#pragma once

// The light model's 0.5 ambient and the game's own GL_LIGHT3 (GL_LIGHT0 off);
// `lighting` is the L key's choice for the whole frame. Positions are taken in
// the model-view frame current now: call it with the world frame loaded.
void SetSceneLight(bool lighting);
