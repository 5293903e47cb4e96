// CObject: the virtual interface's default behaviour and the model's release.
#include "scene/Object.h"

#include <lib3ds/file.h>

CObject::CObject()
    : type(-1), killed(false), model(nullptr), textureList(nullptr)
{
}

CObject::~CObject()
{
    if (model) {
        lib3ds_file_free(model);
        model = nullptr;
    }
}

void CObject::Kill()
{
    killed = true;
}

bool CObject::Collide(CObject*)
{
    return false;
}

bool CObject::Move(float)
{
    return !killed;
}

void CObject::Draw(const DrawContext&)
{
}
