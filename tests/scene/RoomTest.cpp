// The room's vertex table: the box the game's values make and where each face lies.
#include <gtest/gtest.h>

#include <algorithm>

#include "scene/Room.h"

namespace {

TEST(RoomVertices, GameRoomSpansItsBoxAndStartsAtTheCornerWithTwentyRepeats)
{
    const auto v = RoomVertices(vec3(-250.0f, -26.5f, 200.0f), vec3(500.0f, 200.0f, 400.0f));
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (const RoomVertex& p : v) {
        const float c[3] = {p.x, p.y, p.z};
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], c[i]);
            hi[i] = std::max(hi[i], c[i]);
        }
        EXPECT_TRUE(p.s == 0.0f || p.s == 20.0f);
        EXPECT_TRUE(p.t == 0.0f || p.t == 20.0f);
    }
    EXPECT_FLOAT_EQ(lo[0], -250.0f);
    EXPECT_FLOAT_EQ(hi[0], 250.0f);
    EXPECT_FLOAT_EQ(lo[1], -26.5f);
    EXPECT_FLOAT_EQ(hi[1], 173.5f);
    EXPECT_FLOAT_EQ(lo[2], -200.0f);
    EXPECT_FLOAT_EQ(hi[2], 200.0f);
    EXPECT_FLOAT_EQ(v[0].x, -250.0f);
    EXPECT_FLOAT_EQ(v[0].y, -26.5f);
    EXPECT_FLOAT_EQ(v[0].z, 200.0f);
    EXPECT_FLOAT_EQ(v[0].s, 20.0f);
    EXPECT_FLOAT_EQ(v[0].t, 20.0f);
}

TEST(RoomVertices, EachQuadLiesInItsOwnFaceOfTheBox)
{
    const auto v = RoomVertices(vec3(-250.0f, -26.5f, 200.0f), vec3(500.0f, 200.0f, 400.0f));
    // Walls z = 200, x = −250, z = −200, x = 250; ceiling y = 173.5; floor y = −26.5.
    const struct {
        int axis;
        float value;
    } planes[6] = {{2, 200.0f}, {0, -250.0f}, {2, -200.0f}, {0, 250.0f}, {1, 173.5f}, {1, -26.5f}};
    for (int q = 0; q < 6; ++q) {
        float s = 0, t = 0;
        for (int i = 0; i < 4; ++i) {
            const RoomVertex& p = v[q * 4 + i];
            const float c[3] = {p.x, p.y, p.z};
            EXPECT_FLOAT_EQ(c[planes[q].axis], planes[q].value) << "quad " << q << " vertex " << i;
            s += p.s;
            t += p.t;
        }
        // Every quad's corners take each of the four (s, t) corners once.
        EXPECT_FLOAT_EQ(s, 40.0f) << "quad " << q;
        EXPECT_FLOAT_EQ(t, 40.0f) << "quad " << q;
    }
}

} // namespace
