// CObject: the base of everything drawn in the scene (balls, cue, table, pockets, room, models).
#pragma once

#include "physics/Vec3.h"

struct Lib3dsFile;
struct Lib3dsNode;
class CTextureList;
struct DrawContext;

// Type codes of the concrete classes; the physics recognises balls by 0.
enum {
    ObjectBall = 0,
    ObjectCue = 1,
    ObjectPot = 2,
    ObjectTable = 3,
    ObjectRoom = 4,
    ObjectModel = 5
};

class CObject {
public:
    CObject();
    // Frees the 3DS model. Display lists compiled for it and textures in the
    // cache belong to the GL context and the cache, not to the object.
    virtual ~CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    // The game calls none of Kill, Collide, Process and Move: only
    // CObjectList::ProcessAll calls the last two, and the game never runs it.
    virtual void Kill();
    virtual bool Collide(CObject* other);
    virtual void Process(CObject* other) = 0;
    // Answers whether the object stays in its list; false once killed.
    virtual bool Move(float seconds);
    // Draws in the current model-view frame; the base draws nothing.
    virtual void Draw(const DrawContext& context);
    // Draws `model` at `position` (model units); throws when none is loaded.
    virtual void Render();

    // Reads a 3DS file, registers its material textures in `textures` and sets
    // up its lights. Needs a current GL context. Answers true or throws.
    bool Load(const char* fileName, CTextureList* textures);
    void RenderNode(Lib3dsNode* node);

    int type;                  // one of the type codes above, set by the concrete class
    vec3 position;             // meaning of the axes depends on the class
    vec3 size;                 // extent; only the room uses it
    bool killed;               // removed by the next CObjectList::ProcessAll
    Lib3dsFile* model;         // owned; null until Load succeeds
    CTextureList* textureList; // not owned: the cache holding the model's textures
};
