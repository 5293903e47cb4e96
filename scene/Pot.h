// CPot: a pocket; in debug mode a red wire sphere shows where it is.
#pragma once

#include "scene/Object.h"

class CObjectList;
struct GLUquadric;

class CPot : public CObject {
public:
    // At the origin; the game never uses it, it places every pocket with the other.
    explicit CPot(CObjectList* owner);
    // `position` in scene coordinates (x along the table, y across, z up).
    CPot(CObjectList* owner, vec3 position);
    ~CPot() override;

    void Process(CObject* other) override;
    // Nothing unless `context.debug`; then a red wire sphere of `radius` (10 slices,
    // 5 stacks) at OpenGL (y, z, x). Leaves lighting on, polygons filled and
    // the current colour red.
    void Draw(const DrawContext& context) override;

    CObjectList* owner;  // the list given to the constructor; not owned
    float radius;        // scene units
    GLUquadric* quadric; // owned
};
