// CBall: a pool ball in the scene, a textured sphere whose state the physics writes.
#pragma once

#include "scene/Object.h"

class CObjectList;
class CTextureList;
struct GLUquadric;

// Sphere detail of every ball (configuration key Rendering/BallQuality).
extern float BallQuality;

// Sphere detail n (2n slices, n stacks) for an eye `distance` scene units away:
// BallQuality/(distance + 16) + 4, truncated, and kept within [2, 1024] so that
// an absurd or non-numeric BallQuality cannot overflow the conversion.
int BallDetail(float distance);

// Walls of the object framework's own ball motion (CBall::Move), scene units:
// |x| ≤ BallBoundX, |y| ≤ BallBoundY. The physics keeps to its own cushions.
static constexpr float BallBoundX = 30.0f;
static constexpr float BallBoundY = 19.0f;

class CBall : public CObject {
public:
    // The cue ball: number 0 at scene (10, 0, 1), no rotation.
    explicit CBall(CObjectList* owner);
    // A numbered ball; its starting rotation is drawn from rand().
    CBall(CObjectList* owner, const vec3& position, int number);
    ~CBall() override;

    // Takes the picture "data/ball_<number>.bmp" from `textures`; throws when
    // the cache is empty or lacks it.
    void SetTexture(CTextureList& textures, int number);
    // Sets the velocity from a heading in degrees and a speed in scene units per
    // second. The physics learns of it only when the scene is handed over
    // (ShootFromScene in app/SceneSync does both).
    void Shoot(float angle, float speed);

    bool Collide(CObject* other) override;
    void Process(CObject* other) override;
    bool Move(float seconds) override;
    // The sphere, its detail by the distance from `context.eye`.
    void Draw(const DrawContext& context) override;

    CObjectList* owner; // the list given to the constructor; not owned
    vec3 velocity;      // scene units per second
    vec3 rotation;      // rotation vector: direction is the axis, length the angle in degrees
    int number;         // 0 the cue ball, 1 to 15 the others
    float radius;       // scene units
    GLUquadric* quadric; // owned
    unsigned int texture; // GL texture name drawn on the sphere (a GLuint)
    bool hidden = false;  // not in play (the play modes): Draw draws nothing
};
