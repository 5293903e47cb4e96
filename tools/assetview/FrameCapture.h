// Reads the rendered frame back as a picture.
#pragma once

#include "tools/assetgen/Image.h"

// The back buffer's width x height pixels from the bottom-left corner,
// returned top row first.
Image CaptureFrame(int width, int height);
