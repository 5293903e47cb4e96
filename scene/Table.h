// CTable: the pool table, drawn from "data/pooltable.3ds", with a debug outline of the ball bounds.
#pragma once

#include "scene/Object.h"

class CObjectList;

class CTable : public CObject {
public:
    // Loads "data/pooltable.3ds" into the application's texture cache; throws
    // the model loader's errors.
    explicit CTable(CObjectList* owner);

    void Process(CObject* other) override;
    // The model; in debug mode also the red rectangle within which balls are
    // kept (scene x = ±30, y = ±19 at height 2). Leaves lighting on and the
    // current colour red after the outline.
    void Draw() override;

    CObjectList* owner; // the list given to the constructor; not owned
};
