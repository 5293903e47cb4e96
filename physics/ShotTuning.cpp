// ShotTuning: the inverse of the play modes' strength curve.
#include "physics/ShotTuning.h"

#include <algorithm>
#include <cmath>

float PullOfSpeed(float speed)
{
    const float share = (speed - SoftestShotSpeed) / (MaxShotSpeed - SoftestShotSpeed);
    return std::sqrt(std::clamp(share, 0.0f, 1.0f));
}
