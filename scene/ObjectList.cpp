// CObjectList: ownership, search by type code, drawing and the move/process driver.
#include "scene/ObjectList.h"

CObjectList::CObjectList() : cursor(items.end())
{
}

CObjectList::~CObjectList()
{
    Clear();
}

void CObjectList::Add(CObject* object)
{
    items.push_front(object);
}

void CObjectList::Sort()
{
}

CObject* CObjectList::FindFirst(int type)
{
    for (auto it = items.begin(); it != items.end(); ++it) {
        if ((*it)->type == type) {
            cursor = it;
            return *it;
        }
    }
    cursor = items.begin();
    return nullptr;
}

CObject* CObjectList::FindNext(int type)
{
    if (items.empty() || cursor == items.end())
        return nullptr;
    for (auto it = cursor; it != items.end(); ++it) {
        if ((*it)->type == type) {
            cursor = std::next(it);
            return *it;
        }
    }
    return nullptr;
}

void CObjectList::DrawAll(const DrawContext& context)
{
    for (CObject* object : items)
        object->Draw(context);
}

void CObjectList::ProcessAll(float seconds)
{
    for (auto it = items.begin(); it != items.end();) {
        if ((*it)->Move(seconds)) {
            ++it;
            continue;
        }
        delete *it;
        if (cursor == it)
            cursor = items.end();
        it = items.erase(it);
    }
    for (CObject* a : items)
        for (CObject* b : items)
            if (a && b && a != b)
                a->Process(b);
}

void CObjectList::Clear()
{
    for (CObject* object : items)
        delete object;
    items.clear();
    cursor = items.end();
}
