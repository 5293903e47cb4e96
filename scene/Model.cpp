// CModel: a scene object that is nothing but a 3DS model, loaded by its user.
#include "scene/Model.h"

CModel::CModel(CObjectList* owner_) : owner(owner_)
{
    type = ObjectModel;
}

void CModel::Process(CObject*)
{
}

bool CModel::Move(float)
{
    return true;
}

void CModel::Draw(const DrawContext&)
{
    Render();
}
