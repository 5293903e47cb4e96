// SceneSync: the physics' balls to and from the scene's by list position; the passes' hand-over.
#include "app/SceneSync.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "physics/Ball.h"
#include "physics/Simulation.h"
#include "physics/Units.h"
#include "scene/Ball.h"
#include "scene/ObjectList.h"

// Walks the first 16 entries of `list` (fewer if it is shorter), calling
// `copy(object, balls[k])` for each ball object. `who` names the caller in the messages.
template <typename Record, typename Copy>
static void WalkBalls(CObjectList* list, const char* who, Record* balls, Copy copy)
{
    if (!list)
        throw std::runtime_error(std::string(who) + " - Get NULL pointer");
    if (list->items.empty())
        throw std::runtime_error(std::string(who) + " - Get empty list");
    int k = FirstBall;
    for (auto it = list->items.begin(); it != list->items.end() && k <= LastBall; ++it, ++k) {
        CObject* object = *it;
        if (!object)
            throw std::runtime_error(std::string(who) + " - Get NULL pointer");
        if (object->type == ObjectBall)
            copy(*static_cast<CBall*>(object), balls[k]);
    }
}

void GetBallsCoords(CObjectList* list)
{
    WalkBalls(list, "GetBallsCoords()", ball, [](const CBall& object, Ball& b) {
        b.position = object.position / SceneUnitsPerMetre;
        b.rotation = object.rotation / DegreesPerRadian;
        b.velocity = object.velocity / SceneUnitsPerMetre;
    });
}

static void SetBallObject(CBall& object, const Ball& b)
{
    object.radius = b.radius * SceneUnitsPerMetre;
    object.position = b.position * SceneUnitsPerMetre;
    object.rotation = b.rotation * DegreesPerRadian;
    object.velocity = b.velocity * SceneUnitsPerMetre;
}

void SetBallsCoords(CObjectList* list)
{
    WalkBalls(list, "SetBallsCoords()", static_cast<const Ball*>(ball), SetBallObject);
}

void SetBallsCoords(CObjectList* list, const Ball* balls)
{
    WalkBalls(list, "SetBallsCoords()", balls, SetBallObject);
}

void SetBallsShown(CObjectList* list, const bool* shown)
{
    bool every[LastBall + 1];
    std::fill(every, every + LastBall + 1, true);
    WalkBalls(list, "SetBallsShown()", shown ? shown : every,
              [](CBall& object, const bool& show) { object.hidden = !show; });
}

static void HandToScene(void* list)
{
    SetBallsCoords(static_cast<CObjectList*>(list));
}

void HandPassesTo(CObjectList* list)
{
    FreeTablePassHook = list ? PassHook{HandToScene, list} : PassHook{};
}

void ShootFromScene(CBall& cueBall, CObjectList& scene, float angle, float speed)
{
    cueBall.Shoot(angle, speed);
    GetBallsCoords(&scene);
}
