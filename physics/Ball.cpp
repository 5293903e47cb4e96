// The global ball table and the ball's constants.
#include "physics/Ball.h"

Ball ball[BallCount];

const float BallRadius = 0.05f;
const float BallMass = 0.1f;
const float IMR = 0.4f;
