// GetBallsCoords and SetBallsCoords: copy ball state between the scene's ball objects and `ball`.
#pragma once

#include "physics/Units.h"

class CObjectList;

// Entry k of `list` (k counted from 1, at most 16 entries, stopping early at a
// shorter list's end) matches ball[k]; entries that are not balls (type code 0)
// use up their index without being copied.

// Copies position, velocity and rotation of the ball objects into `ball`; never
// the spin. Raises "GetBallsCoords() - Get empty list" for an empty list and
// "GetBallsCoords() - Get NULL pointer" for a null list or a null entry, in
// which case the entries before it have been copied.
void GetBallsCoords(CObjectList* list);

// Copies radius, position, rotation and velocity of `ball` into the ball
// objects. Raises "SetBallsCoords() - Get empty list" and
// "SetBallsCoords() - Get NULL pointer" on the same conditions.
void SetBallsCoords(CObjectList* list);
