// CTableGame: one table game, headless: shot commands in, fixed steps, events and a snapshot out.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "game/ComputerTurn.h"
#include "game/GameEvent.h"
#include "game/GameMode.h"
#include "game/TableState.h"
#include "physics/Ball.h"
#include "play/BallInHand.h"
#include "play/Match.h"
#include "play/PlaySession.h"
#include "play/ShotCommand.h"
#include "play/ShotReplay.h"

class ContactSink;

// A shot still rolling after this much play, seconds, is stopped where it is
// (every ball stilled) so that no position can hold the game for ever.
constexpr double StallSeconds = 60.0;
// The most play one update catches up on, seconds: after a stall of the
// machine the table slows down rather than running many steps in one frame.
// The outcome is the same either way: only whole steps count.
constexpr float MaxCatchUpSeconds = 0.25f;

// No SDL, no GL, no clock in the outcome: the same seed and the same commands
// give the same game whatever the frame rate, on any machine. The owner (the
// app's table screen, the simulator, a test) each frame hands in its commands
// and the frame's seconds, then takes the events and draws the snapshot.
// Every strike, the computer's included, goes through Shoot.
class CTableGame {
public:
    // `seed` shuffles every rack and steadies the computer's hand.
    explicit CTableGame(unsigned seed = 1);
    ~CTableGame();
    CTableGame(const CTableGame&) = delete;
    CTableGame& operator=(const CTableGame&) = delete;

    // A new game of `mode` (ModePractice, ModeEightBall or ModeNineBall; any
    // other number plays practice) against `opponent` (0 a second person, 1
    // to 3 the computer, easy to hard): side 0 breaks the first rack.
    void Begin(int mode, int opponent);
    // A fresh rack of the same game (R); in the rules modes the racks
    // alternate the break.
    void Rerack();
    // The other side is now `level`; a new rack, side 0 to break.
    void SetOpponent(int level);
    // A network game names its sides from this machine: `side` is "You", the
    // other "Opponent" (-1: the match's own names). Kept across racks.
    void SetLocalSide(int side) { match.local = side; }
    // Side 0 played by the computer too (the simulator's whole racks); 0 a person.
    void SetOwnLevel(int level) { match.own = level; }
    // Headless owners: the computer's decision is waited for in the update
    // that asks for it instead of polled frame after frame.
    void SetWaitForComputer(bool wait) { waitForComputer = wait; }
    // Told of every contact the live passes resolve (the sound); not owned, may be null.
    void SetContactSink(ContactSink* sink) { play.table.sink = sink; }
    // Called after every fixed step of a shot, once the step's pots have moved
    // on and before the shot is judged: an owner that keeps every step (the
    // simulator's record, its fault checks) reads Balls() and Session() there.
    // Phase() is no longer Rolling after the shot's last step.
    void SetStepObserver(std::function<void()> observer) { stepObserver = std::move(observer); }
    // The generator that shuffles the racks starts again from `seed` (a
    // network game takes the host's); call before Begin.
    void Reseed(unsigned seed);
    // Everything two copies of this game share at rest (balls, shot cycle,
    // rack, generator): taken while no shot rolls, put back by Adopt.
    TableState State() const;
    // Takes `s` (checked with TableStateValid first: false, nothing changed,
    // when it fails) as the table now: a shot, a replay or a decision under
    // way is dropped; who plays each side stays.
    bool Adopt(const TableState& s);

    // The heading, degrees, the cue shows now: the computer's swing starts there.
    void NoteCueHeading(float heading) { cueHeading = heading; }

    // The one road of a strike, for whoever shoots: in hand the cue ball goes
    // down where the command says, then the cue ball takes the velocity and
    // spin, the record and the replay start, and a Strike event tells the
    // owner. Refused (false, nothing changed, a HandRefused event when the
    // place was the reason) unless the side to play may strike now and the
    // command is valid.
    bool Shoot(const ShotCommand& c);
    // The cue ball in hand, moved by (dx, dy) metres within where it may go,
    // and put down there; both answer whether it may lie there.
    Placement MoveHand(float dx, float dy);
    Placement PlaceHand();
    // A decision under way is abandoned (the owner is closing); the next
    // update starts it again.
    void StopComputer() { computer.Cancel(); }
    // P: the last shot again at `speed` times real time; refused while balls
    // roll, during a replay or without a record.
    bool PlayReplay(float speed);

    // `seconds` of real time have passed: a replay advances; or the
    // computer's turn moves on; and while balls roll the table advances by
    // whole fixed steps, judging the shot once everything rests.
    void Update(float seconds);
    // Events since the last call, oldest first.
    std::vector<GameEvent> TakeEvents();

    // The balls as the last step left them (entries 1 to 16).
    const Ball* Balls() const { return balls; }
    // The balls to draw now: a replay's frame, or the table between its last
    // two steps as far as the frame has come.
    void DrawnBalls(Ball* out) const;

    int Mode() const { return mode; }
    bool Rules() const { return RulesMode(mode); }
    const CPlaySession& Session() const { return play; }
    const CMatch& Match() const { return match; }
    int CueEntry() const { return play.CueEntry(); }
    CPlaySession::Phase Phase() const { return play.phase; }
    Placement HandVerdict() const { return handVerdict; }
    bool ReplayPlaying() const { return replay.Playing(); }
    // The side to play is a person at this machine and may act now: no
    // computer's turn, no rack over.
    bool PersonToPlay() const;
    // The computer's turn as shown: thinking, or aiming with the cue at
    // CueHeading/CuePower.
    CComputerTurn::Stage ComputerStage() const { return computer.State(); }
    const CComputerTurn& Computer() const { return computer; }
    // Seconds of play the current shot has rolled.
    double RollingSeconds() const { return rolling; }

private:
    void Say(GameEvent::Kind kind, const char* format, ...) __attribute__((format(printf, 3, 4)));
    void NewRack();
    void Step();
    void EndShot();
    void Judge();
    void ComputerFrame(float seconds);
    void StartThinking();
    void TakeDecision();
    unsigned NextSeed()
    {
        ++draws;
        return static_cast<unsigned>(rng());
    }

    Ball balls[BallSlots] = {};
    Ball previous[BallSlots] = {}; // before the last step: drawing runs between the two
    Ball replayed[BallSlots] = {}; // the replay's frame while one plays
    CPlaySession play;
    CMatch match;
    CShotReplay replay;
    CComputerTurn computer;
    ShotCommand computerCommand; // decided, struck once the cue has swung
    std::mt19937 rng;
    unsigned seed = 1;       // rng's seed ...
    std::uint64_t draws = 0; // ... and the numbers taken from it since
    std::vector<GameEvent> events;
    int mode = 1;
    int nextBreaker = 0;
    float accumulator = 0.0f; // seconds of play not yet stepped
    double rolling = 0.0;     // seconds of play since the strike
    float cueHeading = 180.0f;
    Placement handVerdict = Placement::Allowed;
    bool waitForComputer = false;
    std::function<void()> stepObserver;
};
