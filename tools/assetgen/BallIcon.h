// The game's icon: one ball, seen a little from above and lit from the upper
// left, on a transparent square, for the desktop's menus and task bars.
#pragma once

#include "tools/assetgen/Image.h"

#include <cstdint>
#include <vector>

// The ball the icon shows.
constexpr int kIconBall = 8;

// A picture with coverage: `alpha` holds colour.width * colour.height bytes,
// 0 clear to 255 opaque, top row first. Colours are not premultiplied.
struct IconPicture {
    Image colour;
    std::vector<uint8_t> alpha;
};

// The ball whose wrap (a picture from PaintBall, any size with width twice the
// height) is `wrap`, drawn `size` pixels square with its number disc turned
// toward the viewer. The same wrap and size give the same bytes.
IconPicture PaintBallIcon(const Image& wrap, int size);
