// The standard views of the preview: where the eye is and what it looks at.
#pragma once

#include "tools/assetview/PreviewScene.h"

#include <string>
#include <vector>

struct PreviewView {
    std::string name;
    ScenePoint eye, look;
    bool lineUp; // balls in two rows, digits toward the eye, instead of the rack
};

const std::vector<PreviewView>& PreviewViews();

// Sixteen balls in two rows along x at the table's centre, each turned so
// its +x disc faces scene +y with the digits upright.
std::vector<PreviewBall> LineUp();
