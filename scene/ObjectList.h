// CObjectList: an owning list of scene objects with type search, drawing and a per-step driver.
#pragma once

#include <list>

#include "scene/DrawContext.h"
#include "scene/Object.h"

class CObjectList {
public:
    CObjectList();
    virtual ~CObjectList();
    CObjectList(const CObjectList&) = delete;
    CObjectList& operator=(const CObjectList&) = delete;

    // Inserts at the front and takes ownership: a walk meets the newest object first.
    void Add(CObject* object);
    void Sort(); // leaves the order alone; the game never calls it

    // FindFirst leaves the cursor on its match, FindNext moves it past each match,
    // so FindFirst followed by FindNext answers the first match twice, while
    // FindFirst then a loop of FindNext visits every match once. The game calls neither.
    CObject* FindFirst(int type);
    CObject* FindNext(int type);

    void DrawAll(const DrawContext& context);
    // Moves every object, deletes those whose Move answers false, then lets every
    // object Process every other one (n·(n−1) calls).
    // The game never calls it: the physics moves the balls, not Move.
    void ProcessAll(float seconds);
    // Deletes every object and empties the list.
    void Clear();

    std::list<CObject*> items;             // owned; front to back is every walk's order
    std::list<CObject*>::iterator cursor;  // where FindNext resumes
};
