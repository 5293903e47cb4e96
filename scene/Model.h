// CModel: a scene object that is nothing but a 3DS model, loaded by its user.
#pragma once

#include "scene/Object.h"

class CObjectList;

// The game itself creates none: the table and the cue load their own models.
class CModel : public CObject {
public:
    // Loads nothing: call Load before the first Draw.
    explicit CModel(CObjectList* owner);

    void Process(CObject* other) override;
    // Always stays in its list, even once killed.
    bool Move(float seconds) override;
    // The model at `position`; throws "Can't render empty model" before Load.
    void Draw(const DrawContext& context) override;

    CObjectList* owner; // the list given to the constructor; not owned
};
