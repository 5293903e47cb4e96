// The game's scene rebuilt for looking at the assets: room, table, rack of
// balls and cue, lit and drawn with the game's own transforms and rules.
#pragma once

#include "tools/assetview/PreviewModel.h"
#include "tools/assetview/PreviewTextures.h"

#include <GL/glu.h>

#include <vector>

// Scene coordinates: x along the table, y across, z up, 20 units to the metre.
struct ScenePoint {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct PreviewBall {
    int number;
    ScenePoint position;
    float angle;      // glRotatef angle, degrees
    ScenePoint axis;  // rotation axis in scene coordinates
};

class CPreviewScene {
public:
    CPreviewScene();
    ~CPreviewScene();

    // Sets the game's GL state and loads the pictures and both models from
    // data/ under the working directory. Throws std::runtime_error.
    void Load();

    // The game's camera: 45-degree perspective (aspect 4/3, planes 1 and
    // 5000) and the look-at from `eye` to `look`, all in the projection
    // matrix; the model-view matrix is left at identity.
    static void SetCamera(const ScenePoint& eye, const ScenePoint& look);

    // One frame: clear, lights, balls, table, cue, room (the game's order).
    void Draw(const ScenePoint& eye) const;

    std::vector<PreviewBall> balls; // the rack and the cue ball, set by Load
    bool showCue = true;
    float cueAngle = 180.0f; // degrees, the camera's heading

private:
    void DrawBall(const PreviewBall& ball, const ScenePoint& eye) const;
    void DrawCue() const;
    void DrawRoom() const;

    mutable CPreviewTextures textures;
    CPreviewModel table, cue;
    GLUquadric* quadric;
};
