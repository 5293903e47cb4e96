// RunPracticeShot: one practice shot through the table game's frame loop, recorded each step.
#include "tools/sim/ShotRun.h"

#include <chrono>
#include <cmath>

#include "game/TableGame.h"
#include "physics/TableGeometry.h"
#include "physics/World.h"
#include "play/PlayShot.h"
#include "tools/sim/Fingerprint.h"

namespace {

// Keeps the event lines, wall-clock lines left out, and notes a stall.
void Keep(const std::vector<GameEvent>& events, SimShotResult& result)
{
    for (const GameEvent& e : events) {
        if (e.kind == GameEvent::Stalled)
            result.stalled = true;
        if (!e.timing)
            result.log.push_back(e.text);
    }
}

// Follows the shot step by step from the table game's observer: top speeds,
// faults, the step each ball dropped, the event lines and, when recording,
// every position. A ball that dropped stays where it went down in the record
// (the game moves it on to the tray, the cue ball to the hand). Steps past
// the limit, which the last frame may still run, are not the shot's: their
// events are dropped with them, so that the record ends on the same step
// whatever the frame rate.
class CStepRecord {
public:
    CStepRecord(CTableGame& owner, SimShotResult& into, bool keepTrack, int stepLimit)
        : game(owner), result(into), record(keepTrack), limit(stepLimit)
    {}

    // The table as the strike left it: step 0.
    void Begin()
    {
        for (int k = 0; k < SimBalls; ++k)
            last[k] = game.Balls()[k + FirstBall].position;
        result.start = result.final = last;
        if (record)
            result.track.push_back(last);
    }

    void Stepped()
    {
        const std::vector<GameEvent> events = game.TakeEvents();
        if (result.frames >= limit) {
            pastLimit = true;
            return;
        }
        const int step = ++result.frames;
        Keep(events, result);
        const Ball* balls = game.Balls();
        const PlayTable& table = game.Session().table;
        for (int k = 0; k < SimBalls; ++k) {
            const Ball& b = balls[k + FirstBall];
            if (table.potted[k + FirstBall]) {
                if (result.potFrame[k] < 0) {
                    result.potFrame[k] = step;
                    last[k] = b.position;
                }
                continue;
            }
            last[k] = b.position;
            Inspect(b, k, step);
        }
        result.events = game.Session().events;
        result.final = last;
        fingerprint.MixBalls(balls);
        if (record)
            result.track.push_back(last);
        ended = game.Phase() != CPlaySession::Rolling;
    }

    // The events of a frame after its last step (the shot's end): the shot's
    // own unless that step was past the limit.
    void FrameOver()
    {
        const std::vector<GameEvent> events = game.TakeEvents();
        if (!pastLimit)
            Keep(events, result);
    }

    bool Ended() const { return ended; }
    // The steps' balls, then the lines kept.
    std::uint64_t Fingerprint()
    {
        for (const std::string& line : result.log)
            fingerprint.MixLine(line);
        return fingerprint.Value();
    }

private:
    void Inspect(const Ball& b, int k, int step)
    {
        const float speed = std::hypot(b.velocity.x, b.velocity.y);
        if (speed > result.topSpeed[k])
            result.topSpeed[k] = speed;
        if (result.nanFrame < 0 && NotFinite(b)) {
            result.nanFrame = step;
            result.nanBall = k;
        }
        if (result.offTableFrame < 0 && OffTheBed(b)) {
            result.offTableFrame = step;
            result.offTableBall = k;
        }
    }

    CTableGame& game;
    SimShotResult& result;
    const bool record;
    const int limit;
    std::array<vec3, SimBalls> last{};
    bool pastLimit = false;
    bool ended = false; // the shot was over after a step within the limit
    CFingerprint fingerprint;
};

ShotCommand CommandOf(const ShotSettings& settings, const vec3& hand)
{
    ShotCommand c;
    c.heading = settings.angle;
    c.speed = settings.strength / SceneUnitsPerMetre;
    c.strike = settings.spin ? settings.strike : StrikePoint();
    // The rack leaves the cue ball in hand on the head string: down there.
    c.place = true;
    c.cue = hand;
    return c;
}

} // namespace

SimShotResult RunPracticeShot(const ShotSettings& settings)
{
    // The passes read these globals; the game sets them from game.cfg.
    Gravity = static_cast<float>(DefaultGravity);
    Viscosity = static_cast<float>(DefaultViscosity);
    SimShotResult result;
    result.pockets = true;
    result.steps = true;
    result.potFrame.fill(-1);
    CTableGame game(settings.seed);
    game.Begin(ModePractice, 0);
    for (int k = 0; k < SimBalls; ++k)
        result.number[k] = game.Session().table.number[k + FirstBall];

    const int limit = static_cast<int>(settings.maxSeconds / PlayFrameSeconds + 0.5);
    CStepRecord steps(game, result, settings.record, limit);
    game.SetStepObserver([&steps] { steps.Stepped(); });
    const bool struck = game.Shoot(CommandOf(settings, game.Session().hand));
    Keep(game.TakeEvents(), result);
    steps.Begin();
    if (!struck) {
        // Not for arguments within range; said rather than passed off as a shot.
        result.refused = true;
        return result;
    }

    const float frameSeconds = static_cast<float>(1.0 / settings.frameRate);
    const auto begin = std::chrono::steady_clock::now();
    while (game.Phase() == CPlaySession::Rolling && result.frames < limit) {
        game.Update(frameSeconds);
        ++result.updates;
        steps.FrameOver();
    }
    result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    result.atRest = steps.Ended() && !result.stalled;
    result.fingerprint = steps.Fingerprint();
    return result;
}
