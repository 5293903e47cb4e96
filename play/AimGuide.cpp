// CAimGuide: a copy of the table played forward in the game's frames and passes until the cue ball's first contact.
#include "play/AimGuide.h"

#include <algorithm>

#include "physics/Simulation.h"
#include "play/PlayShot.h"

int DefaultAimGuide(int mode, int opponentLevel)
{
    if (mode <= 0)
        return AimGuideOff;
    if (mode >= 2 && opponentLevel >= OpponentHard)
        return AimGuideOff;
    return AimGuideContact;
}

int AimGuideLevel(int mode, int opponentLevel, int configured)
{
    if (mode <= 0)
        return AimGuideOff;
    if (configured < 0)
        return DefaultAimGuide(mode, opponentLevel);
    return std::min(configured, static_cast<int>(AimGuidePaths));
}

void CAimGuide::Reset()
{
    busy = false;
    hasShown = false;
}

void CAimGuide::Begin(const Ball* from, const PlayTable& live, int cueEntry, vec3 velocity, vec3 spin, int lvl)
{
    std::copy(from, from + BallSlots, balls);
    table = live.Headless();
    events.Clear();
    table.events = &events; // the copy's own record: where the first contact is read
    cue = cueEntry;
    level = lvl;
    frame = 0;
    cushionSeen = false;
    balls[cue].velocity = velocity;
    balls[cue].angularVelocity = spin;

    working.target = -1;
    working.cueStop = balls[cue].position;
    for (int k = 0; k < BallSlots; ++k) {
        working.path[k].clear(); // keeps its capacity: no allocation after the first few
        if (level >= AimGuidePaths && k >= FirstBall && !table.potted[k])
            working.path[k].push_back(balls[k].position);
    }
    busy = true;
}

// One of the game's passes, with the moment of the first contact caught.
void CAimGuide::Pass()
{
    Imitate(balls, table, PlayFrameSeconds / PlayPassesPerFrame);
    if (working.target < 0 && events.firstContact >= 0) {
        const int t = table.EntryOf(events.firstContact);
        working.target = t;
        working.ghost = balls[cue].position;
        working.targetAt = balls[t].position;
        working.cueAfter = balls[cue].velocity;
        working.targetAfter = balls[t].velocity;
        working.cueStop = balls[cue].position;
    }
    if (working.target < 0 && !cushionSeen) {
        working.cueStop = balls[cue].position;
        for (int n : events.cushionsAtAll)
            cushionSeen |= n == 0;
    }
}

bool CAimGuide::Finished() const
{
    const double seconds = frame * PlayFrameSeconds;
    const bool contactDone = working.target >= 0 || cushionSeen || seconds >= GuideContactSeconds ||
                             table.potted[cue];
    const bool pathsDone = level < AimGuidePaths || seconds >= GuidePathSeconds - 1e-9;
    return (contactDone && pathsDone) || (frame > 0 && table.Resting(balls, PlayRestSpeed));
}

bool CAimGuide::Step(int frames)
{
    for (int f = 0; f < frames && busy; ++f) {
        if (Finished()) {
            busy = false;
            break;
        }
        for (int p = 0; p < PlayPassesPerFrame; ++p)
            Pass();
        ++frame;
        if (level >= AimGuidePaths && frame * PlayFrameSeconds <= GuidePathSeconds + 1e-9)
            for (int k = FirstBall; k <= LastBall; ++k)
                if (!working.path[k].empty())
                    working.path[k].push_back(balls[k].position);
    }
    if (busy && Finished())
        busy = false;
    if (busy)
        return false;
    // Balls that never moved have no path to show.
    for (int k = FirstBall; k <= LastBall; ++k) {
        std::vector<vec3>& p = working.path[k];
        if (!p.empty() && Length(p.back() - p.front()) < 0.001f && Length(p[p.size() / 2] - p.front()) < 0.001f)
            p.clear();
    }
    std::swap(shown, working);
    hasShown = true;
    return true;
}

AimPrediction PredictShot(const Ball* balls, const PlayTable& table, int cue, vec3 velocity, vec3 spin, int level)
{
    CAimGuide guide;
    guide.Begin(balls, table, cue, velocity, spin, level);
    while (!guide.Step(60)) {
    }
    return *guide.Shown();
}

void CAimGuide::Begin(const Ball* from, const PlayTable& live, int cueEntry,
                      const ShotCommand& shot, int lvl)
{
    Ball struck = from[cueEntry];
    ApplyShot(struck, shot);
    Begin(from, live, cueEntry, struck.velocity, struck.angularVelocity, lvl);
}

AimPrediction PredictShot(const Ball* balls, const PlayTable& table, int cue,
                          const ShotCommand& shot, int level)
{
    Ball struck = balls[cue];
    ApplyShot(struck, shot);
    return PredictShot(balls, table, cue, struck.velocity, struck.angularVelocity, level);
}
