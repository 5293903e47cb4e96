// cue.bmp: the cue unrolled, tip at the left, butt at the right; rows run
// round the cue (the model wraps them there and back, so the picture need not
// join top to bottom).
#pragma once

#include "tools/assetgen/Image.h"

Image PaintCue(int width = 512, int height = 64);
