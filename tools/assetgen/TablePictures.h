// Pictures named by the table model's materials: cloth, rail wood, pocket
// leather and the rail sights. All tile; top row = texture t = 0.
#pragma once

#include "tools/assetgen/Image.h"

// Green baize with a fine nap and faint mottling.
Image PaintCloth(int size = 256);
// The play modes' cloth: the same weave in a tournament blue, against which
// every ball (the green 6 above all) stands out.
Image PaintPlayCloth(int size = 256);

// Dark polished mahogany, grain along u.
Image PaintRailWood(int size = 256);

// Near-black leather for the pocket liners.
Image PaintPocketLeather(int size = 64);

// Mother-of-pearl for the inlaid diamond sights.
Image PaintSight(int size = 32);
