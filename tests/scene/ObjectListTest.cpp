// The owning object list: order of Add, search by type, the move/process driver, Clear.
#include <gtest/gtest.h>

#include <vector>

#include "scene/ObjectList.h"

namespace {

// Records what the list does to it.
struct Probe : CObject {
    Probe(int type_, std::vector<int>* deaths_, int id_, bool immortal_ = false)
        : deaths(deaths_), id(id_), immortal(immortal_)
    {
        type = type_;
    }
    ~Probe() override { deaths->push_back(id); }
    void Process(CObject*) override { ++processCalls; }
    bool Move(float) override { return immortal || !killed; }
    void Draw(const DrawContext&) override { drawOrder->push_back(id); }

    std::vector<int>* deaths;
    std::vector<int>* drawOrder = nullptr;
    int id;
    bool immortal;
    int processCalls = 0;
};

TEST(ObjectList, AddPutsTheNewestFirstAndDrawAllFollowsIt)
{
    std::vector<int> deaths, drawn;
    CObjectList list;
    for (int id = 1; id <= 3; ++id) {
        Probe* p = new Probe(ObjectPot, &deaths, id);
        p->drawOrder = &drawn;
        list.Add(p);
    }
    list.DrawAll(DrawContext{});
    EXPECT_EQ(drawn, (std::vector<int>{3, 2, 1}));
}

TEST(ObjectList, FindFirstThenFindNextAnswersTheFirstMatchTwice)
{
    std::vector<int> deaths;
    CObjectList list;
    Probe* cue = new Probe(ObjectCue, &deaths, 1);
    list.Add(cue);
    EXPECT_EQ(list.FindFirst(ObjectCue), cue);
    EXPECT_EQ(list.FindNext(ObjectCue), cue);
    EXPECT_EQ(list.FindNext(ObjectCue), nullptr);
}

TEST(ObjectList, FindFirstThenALoopOfFindNextVisitsEveryMatchOnce)
{
    std::vector<int> deaths;
    CObjectList list;
    list.Add(new Probe(ObjectBall, &deaths, 1));
    list.Add(new Probe(ObjectPot, &deaths, 2));
    list.Add(new Probe(ObjectBall, &deaths, 3));
    list.FindFirst(ObjectBall);
    std::vector<int> seen;
    while (CObject* o = list.FindNext(ObjectBall))
        seen.push_back(static_cast<Probe*>(o)->id);
    EXPECT_EQ(seen, (std::vector<int>{3, 1}));
}

TEST(ObjectList, SearchesWithoutMatchesOrItemsAnswerNull)
{
    CObjectList empty;
    EXPECT_EQ(empty.FindNext(ObjectBall), nullptr); // before any FindFirst
    EXPECT_EQ(empty.FindFirst(ObjectBall), nullptr);
    EXPECT_EQ(empty.FindNext(ObjectBall), nullptr);

    std::vector<int> deaths;
    CObjectList list;
    list.Add(new Probe(ObjectCue, &deaths, 1));
    EXPECT_EQ(list.FindFirst(ObjectRoom), nullptr);
    EXPECT_EQ(list.FindNext(ObjectRoom), nullptr);
}

TEST(ObjectList, ProcessAllDeletesTheKilledBeforePairingTheRest)
{
    std::vector<int> deaths;
    CObjectList list;
    std::vector<Probe*> probes;
    for (int id = 1; id <= 5; ++id) {
        probes.push_back(new Probe(ObjectBall, &deaths, id));
        list.Add(probes.back());
    }
    probes[3]->Kill(); // the second entry of the list
    list.ProcessAll(0.01f);
    EXPECT_EQ(deaths, (std::vector<int>{4}));
    ASSERT_EQ(list.items.size(), 4u);
    for (CObject* o : list.items)
        EXPECT_EQ(static_cast<Probe*>(o)->processCalls, 3); // (n-1)·(n-2) = 12 calls in all
}

TEST(ObjectList, ObjectsWhoseMoveIgnoresKillSurviveProcessAll)
{
    std::vector<int> deaths;
    CObjectList list;
    Probe* room = new Probe(ObjectRoom, &deaths, 1, true);
    list.Add(room);
    room->Kill();
    list.ProcessAll(0.01f);
    EXPECT_TRUE(deaths.empty());
    EXPECT_EQ(list.items.size(), 1u);
}

TEST(ObjectList, ClearDeletesEveryObjectOnce)
{
    std::vector<int> deaths;
    {
        CObjectList list;
        list.Clear(); // empty: nothing happens
        for (int id = 1; id <= 3; ++id)
            list.Add(new Probe(ObjectBall, &deaths, id));
        list.Clear();
        EXPECT_TRUE(list.items.empty());
        EXPECT_EQ(list.FindNext(ObjectBall), nullptr);
        list.Add(new Probe(ObjectBall, &deaths, 4));
    } // the destructor clears what is left
    EXPECT_EQ(deaths, (std::vector<int>{3, 2, 1, 4}));
}

TEST(ObjectList, DeletingTheCursorsObjectLeavesFindNextSafe)
{
    std::vector<int> deaths;
    CObjectList list;
    list.Add(new Probe(ObjectBall, &deaths, 1));
    CObject* target = list.FindFirst(ObjectBall);
    target->Kill();
    list.ProcessAll(0.0f);
    EXPECT_EQ(list.FindNext(ObjectBall), nullptr);
}

} // namespace
