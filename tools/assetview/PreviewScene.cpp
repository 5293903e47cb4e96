// The game's own level, loaded into Game and drawn from the preview's views.
#include "tools/assetview/PreviewScene.h"

#include "app/Game.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/Cue.h"

#include <vector>

namespace {

// A ball's place before the line-up moved it.
struct BallPose {
    CBall* ball;
    vec3 position, rotation;
};

std::vector<BallPose> LineUpBalls()
{
    std::vector<BallPose> before;
    for (CObject* object : Game.objects.items) {
        if (object->type != ObjectBall)
            continue;
        CBall* ball = static_cast<CBall*>(object);
        before.push_back({ball, ball->position, ball->rotation});
        ball->position = LineUpPosition(ball->number);
        ball->rotation = LineUpTurn;
    }
    return before;
}

} // namespace

void LoadPreviewLevel()
{
    Game.LoadData();
    Game.LoadLevel();
    // Every frame of play aims the cue along the camera's heading.
    Game.cue->angle = DegreesPerRadian * Game.camera.angle;
    Game.DrawScene();
}

void DrawPreview(const PreviewView& view)
{
    // Ball detail follows the eye's distance, so the camera is placed first.
    Game.camera.position = view.eye;
    Game.camera.look = view.look;
    Game.camera.Update(false);
    if (!view.lineUp) {
        Game.DrawScene();
        return;
    }
    const std::vector<BallPose> rack = LineUpBalls();
    const int cueState = Game.cue->state;
    Game.cue->state = CueHidden;
    Game.DrawScene();
    Game.cue->state = cueState;
    for (const BallPose& pose : rack) {
        pose.ball->position = pose.position;
        pose.ball->rotation = pose.rotation;
    }
}

void UnloadPreviewLevel()
{
    Game.cueBall = nullptr;
    Game.cue = nullptr;
    Game.table = nullptr;
    Game.objects.Clear();
    Game.scenery.Clear();
    Game.textures.Free();
}
