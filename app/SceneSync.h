// SceneSync: ball state between the scene's ball objects and `ball`; the free table's hand-over.
#pragma once

class CBall;
class CObjectList;
struct Ball;

// Entry k of `list` (k counted from 1, at most 16 entries, stopping early at a
// shorter list's end) matches ball[k]; entries that are not balls (type code 0)
// use up their index without being copied. Scene units are SceneUnitsPerMetre
// to the metre and rotations are in degrees; the physics works in metres and radians.

// Copies position, velocity and rotation of the ball objects into `ball`; never
// the spin. Raises "GetBallsCoords() - Get empty list" for an empty list and
// "GetBallsCoords() - Get NULL pointer" for a null list or a null entry, in
// which case the entries before it have been copied.
void GetBallsCoords(CObjectList* list);

// Copies radius, position, rotation and velocity of `ball` into the ball
// objects. Raises "SetBallsCoords() - Get empty list" and
// "SetBallsCoords() - Get NULL pointer" on the same conditions.
void SetBallsCoords(CObjectList* list);
// The same from `balls` (entries 1 to 16) instead of the global array: the
// play modes draw their own game's balls.
void SetBallsCoords(CObjectList* list, const Ball* balls);

// Hides the ball objects whose entry `shown[k]` is false (k 1 to 16), shows
// the others; null shows every ball (the free table draws them all).
void SetBallsShown(CObjectList* list, const bool* shown);

// From now on every free-table pass ends with SetBallsCoords(list) (the
// physics' FreeTablePassHook); null ends the hand-over. Not owned.
void HandPassesTo(CObjectList* list);

// The free table's strike: cueBall.Shoot(angle, speed), then every ball object
// of `scene` to the physics, so the shot starts from what the scene shows now.
// Raises what GetBallsCoords raises, after the velocity is set.
void ShootFromScene(CBall& cueBall, CObjectList& scene, float angle, float speed);
