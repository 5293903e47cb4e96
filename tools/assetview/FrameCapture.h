// Reads the rendered frame back as a picture.
#pragma once

#include "tools/assetgen/Image.h"

// The width x height pixels of the frame just drawn, from the bottom-left
// corner, returned top row first.
Image CaptureFrame(int width, int height);
