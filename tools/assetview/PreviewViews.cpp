// The standard views of the preview.
#include "tools/assetview/PreviewViews.h"

const std::vector<PreviewView>& PreviewViews()
{
    static const std::vector<PreviewView> views = {
        {"overview", {-62, -48, 48}, {0, 0, -4}, false},
        {"top", {-1, 0, 100}, {0, 0, 0}, false},
        {"break", {68.8f, 0, 12.9f}, {10, 0, 1}, false},
        {"rack", {-14, 10, 9}, {-22, 0, 1}, false},
        {"lineup", {0, 24, 3}, {0, 0, 2}, true},
        {"corner_pocket", {22, 12, 10}, {30, 20, 0}, false},
        {"middle_pocket", {0, 8, 9}, {0, 20, 0}, false},
        {"cue_tip", {15, -5, 3.5f}, {12.5f, 0, 1.2f}, false},
        {"cue_butt", {34, -7, 5}, {37, 0, 3}, false},
        {"side", {0, -80, 2}, {0, 0, -10}, false},
        {"room", {60, -60, 20}, {-120, 120, 90}, false},
    };
    return views;
}

std::vector<PreviewBall> LineUp()
{
    std::vector<PreviewBall> balls;
    for (int n = 1; n <= 15; ++n) {
        int row = (n - 1) / 8, col = (n - 1) % 8;
        // -90 degrees about OpenGL x (scene y) turns the sphere's +z to OpenGL up;
        // the +x disc then faces OpenGL +x, which is scene +y.
        balls.push_back({n, {-9.1f + 2.6f * col, 0.0f, 1.0f + 2.6f * row}, -90.0f, {0, 1, 0}});
    }
    balls.push_back({0, {-9.1f + 2.6f * 7, 0.0f, 3.6f}, -90.0f, {0, 1, 0}});
    return balls;
}
