// CTable: the pool table, drawn from "data/pooltable.3ds", with a debug outline of the ball bounds.
#pragma once

#include "scene/Object.h"

class CObjectList;

class CTable : public CObject {
public:
    // Loads "data/pooltable.3ds" into the application's texture cache; throws
    // the model loader's errors.
    explicit CTable(CObjectList* owner);

    ~CTable() override;

    // Draws the play modes' cut (data/pooltable_play.3ds, loaded on the first
    // call with true; throws the loader's errors) or the free table's model.
    void UsePlayModel(bool play);

    void Process(CObject* other) override;
    // The model; in debug mode also the red rectangle within which balls are
    // kept (scene x = ±30, y = ±19 at height 2). Leaves lighting on and the
    // current colour red after the outline.
    void Draw() override;

    CObjectList* owner; // the list given to the constructor; not owned
    Lib3dsFile* spare;  // owned: the model not drawn now; null until the play model is loaded
    bool playModel;     // `model` is the play modes' cut
};
