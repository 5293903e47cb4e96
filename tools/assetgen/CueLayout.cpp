// The cue's sections, shared by the cue picture and the cue model.
#include "tools/assetgen/CueLayout.h"

const std::vector<CueSection>& CueSections()
{
    // The texture spends more columns per unit on the short, busy parts.
    static const std::vector<CueSection> sections = {
        {"cue_tip", 0.00f, 0.22f, 0.150f, 0.150f, 0.00f, 0.03f, 1},
        {"cue_ferrule", 0.22f, 0.72f, 0.150f, 0.152f, 0.03f, 0.08f, 1},
        {"cue_shaft", 0.72f, 14.50f, 0.152f, 0.220f, 0.08f, 0.50f, 6},
        {"cue_butt", 14.50f, 14.75f, 0.228f, 0.228f, 0.50f, 0.52f, 1},
        {"cue_butt", 14.75f, 21.50f, 0.230f, 0.310f, 0.52f, 0.74f, 3},
        {"cue_butt", 21.50f, 26.50f, 0.310f, 0.370f, 0.74f, 0.90f, 2},
        {"cue_butt", 26.50f, 28.80f, 0.370f, 0.400f, 0.90f, 0.98f, 1},
        {"cue_butt", 28.80f, 29.00f, 0.400f, 0.390f, 0.98f, 1.00f, 1},
    };
    return sections;
}
