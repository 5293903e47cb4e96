// The standard views of the preview: where the eye is, what it looks at, how the balls lie.
#include "tools/assetview/PreviewViews.h"

const vec3 LineUpTurn(0.0f, -90.0f, 0.0f);

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

vec3 LineUpPosition(int number)
{
    // Balls 1 to 8 on the cloth, 9 to 15 and the cue ball in a row above them,
    // 2.6 units apart (a ball is 2 across).
    const int slot = number == 0 ? 15 : number - 1;
    const int row = slot / 8, column = slot % 8;
    return vec3(-9.1f + 2.6f * column, 0.0f, 1.0f + 2.6f * row);
}
