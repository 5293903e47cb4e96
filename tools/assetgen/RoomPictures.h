// The room's wall, floor and ceiling pictures. Each is repeated 20 times along
// every edge of its face, so each tiles seamlessly; top row = texture t = 0.
#pragma once

#include "tools/assetgen/Image.h"

// Striped wallpaper in muted green with thin gold pin lines. One tile covers
// about 1.25 m by 0.5 m of wall: stripes run vertically so the stretch is harmless.
Image PaintWall(int size = 256);

// Oak-brown floorboards running along u, eight boards per tile (1 m), one
// staggered butt joint per board.
Image PaintFloor(int size = 256);

// One recessed ceiling panel per tile: warm grey plaster in a darker grid.
Image PaintCeiling(int size = 256);
