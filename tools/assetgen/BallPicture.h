// Ball pictures, wrapped onto a GLU sphere: equirectangular, with the number
// discs drawn through the inverse mapping so they come out round on the ball.
#pragma once

#include "physics/Vec3.h"
#include "tools/assetgen/Colour.h"
#include "tools/assetgen/Image.h"

class CGlyphRaster;

// The unit vector, in the sphere's own frame, that GLU's gluSphere shows at
// picture position (x, y): column x from the left, row y from the top, both
// continuous with pixel centres at +0.5. GLU gives texture s = 0 at +y, 0.25
// at -x, 0.5 at -y and 0.75 at +x (s falls as the longitude turns from +y
// toward +x), and t = 0 at z = -radius, t = 1 at z = +radius. The texture
// loader puts the picture's top row at t = 0.
vec3 SphereDirection(float x, float y, int width, int height);

// The colour of ball `number`, 1 to 15 (stripes take that of number - 8);
// white for 0.
Colour BallColour(int number);

// Angular radius of the number discs, radians.
constexpr float kNumberDiscRadius = 0.43f;

// The two number discs sit on the equator facing +x and -x.
vec3 NumberDiscCentre(int which);

// The picture of ball `number` (0 the cue ball, 1-8 solids, 9-15 stripes).
// The digits come from `font`; `width` is twice `height`.
Image PaintBall(int number, const CGlyphRaster& font, int width = 512, int height = 256);
