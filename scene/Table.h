// CTable: the pool table, drawn from "data/pooltable.3ds", with a debug outline of the ball bounds.
#pragma once

#include "scene/Object.h"

class CObjectList;
class CTextureList;

class CTable : public CObject {
public:
    // Loads "data/pooltable.3ds", its textures (and later the play model's)
    // into `textures`; throws the model loader's errors.
    CTable(CObjectList* owner, CTextureList* textures);

    ~CTable() override;

    // Draws the play modes' cut (data/pooltable_play.3ds, loaded on the first
    // call with true; throws the loader's errors) or the free table's model.
    void UsePlayModel(bool play);

    void Process(CObject* other) override;
    // The model; with `context.debug` also the red rectangle within which balls are
    // kept (scene x = ±30, y = ±19 at height 2). Leaves lighting on and the
    // current colour red after the outline.
    void Draw(const DrawContext& context) override;

    CObjectList* owner;     // the list given to the constructor; not owned
    CTextureList* textures; // the cache given to the constructor; not owned
    Lib3dsFile* spare;  // owned: the model not drawn now; null until the play model is loaded
    bool playModel;     // `model` is the play modes' cut
};
