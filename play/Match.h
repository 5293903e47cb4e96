// CMatch: a rack of 8-ball or 9-ball played on the session's balls: the referee's verdicts carried
// out, and who plays each side.
#pragma once

#include "physics/Ball.h"
#include "play/PlaySession.h"
#include "rules/Rules.h"

// "a second player", "the computer, easy", ... for opponent levels 0 to 3
// (clamped). A string literal.
const char* OpponentName(int level);

// No SDL and no GL: the game calls it from its frame, the tests from theirs.
// Side 0 is the player at the mouse; side 1 the second person (hot seat) or,
// with an opponent level of 1 to 3, the computer.
class CMatch {
public:
    // Racks the game's balls (the practice triangle for 8-ball, the diamond for
    // 9-ball, shuffled by `seed`), `breaker` to break from behind the head string.
    void NewRack(CPlaySession& play, Ball* balls, GameKind game, unsigned seed, int breaker);

    // Once every ball rests and every pot has sunk after a strike: judges the
    // shot in play.events and carries the verdict out on the balls: the balls
    // it names back on the foot spot, a fresh rack (`seed`) after an illegal
    // break, the cue ball in hand anywhere after a foul. The verdict is kept
    // in `last` for the HUD.
    ShotResult EndShot(CPlaySession& play, Ball* balls, unsigned seed);

    // Who plays `side`: 0 a person, 1 to 3 the computer, easy to hard.
    int LevelOf(int side) const { return side == 1 ? opponent : own; }
    // The computer is to play the next shot of a rack still on.
    bool ComputerToPlay() const { return !rules.RackOver() && LevelOf(rules.Turn()) > 0; }
    // "You"/"Opponent" in a network game (`local` is then this machine's side),
    // "You"/"Computer" against the computer, "Player 1"/"Player 2" in a hot
    // seat, "Computer 1"/"Computer 2" when the computer plays both sides.
    // A string literal.
    const char* SideName(int side) const;
    // SideName(side) is "You": verbs after it take no -s ("You take solids").
    bool SecondPerson(int side) const
    {
        return local >= 0 ? side == local : opponent > 0 && own == 0 && side == 0;
    }
    const char* Takes(int side) const { return SecondPerson(side) ? "take" : "takes"; }

    CRules rules;
    int opponent = 0; // 0 a second person; 1 to 3 the computer, easy to hard
    int own = 0; // side 0 the same way: the computer plays it only in the simulator's whole racks
    int breaker = 0;     // the side that broke (or is to break) this rack
    ShotResult last;     // the verdict on the last shot judged
    bool judged = false; // `last` belongs to this rack
    int local = -1;      // a network game: the side played at this machine; -1 otherwise
};
