// VerdictText: the sentences of the match, worded once for every side.
#include "play/VerdictText.h"

#include <cstdio>

namespace {

std::string TheBall(int n)
{
    return "the " + std::to_string(n);
}

} // namespace

const char* SideVerb(const CMatch& match, int side, const char* you, const char* other)
{
    return match.SecondPerson(side) ? you : other;
}

std::string BallOn(BallSet targets)
{
    if (targets == 0)
        return "any ball";
    const int lowest = LowestBall(targets);
    if (targets == BallBit(lowest))
        return TheBall(lowest);
    if ((targets & ~SolidBalls) == 0)
        return "a solid";
    if ((targets & ~StripeBalls) == 0)
        return "a stripe";
    if (!Has(targets, 8))
        return "any ball but the 8";
    return "any ball";
}

std::string FoulSentence(const ShotResult& r)
{
    switch (r.foul) {
    case Foul::None:
        return "";
    case Foul::CuePotted:
        return "Foul: the cue ball was potted";
    case Foul::NoBallHit:
        return "Foul: no ball was hit, " + BallOn(r.targets) + " was on";
    case Foul::WrongBallFirst:
        return "Foul: " + TheBall(r.firstContact) + " was hit first, " + BallOn(r.targets) +
               " was on";
    case Foul::NoCushion:
        return "Foul: no ball went to a cushion after the contact";
    case Foul::IllegalBreak:
        return "Foul: illegal break, no ball potted and fewer than four to a cushion";
    }
    return "Foul";
}

std::string VerdictLine(const CMatch& match, const ShotResult& r)
{
    if (r.rackOver)
        return "";
    const char* shooter = match.SideName(r.shooter);
    const char* next = match.SideName(r.nextShooter);
    if (r.reRack)
        return std::string("Illegal break by ") + shooter + ": the balls are racked again, " +
               next + " " + SideVerb(match, r.nextShooter, "break", "breaks");
    if (r.IsFoul()) {
        std::string line = FoulSentence(r) + " (" + shooter + ")";
        if (r.ballInHand)
            line += std::string(". ") + next + " " + SideVerb(match, r.nextShooter, "have", "has") +
                    " ball in hand";
        return line;
    }
    if (r.groupAssigned != Group::Open)
        return std::string(shooter) + " " + SideVerb(match, r.shooter, "take", "takes") + " " +
               GroupName(r.groupAssigned);
    return "";
}

std::string WinnerLine(const CMatch& match)
{
    const CRules& rules = match.rules;
    if (!rules.RackOver())
        return "";
    const ShotResult& r = match.last;
    const int winner = rules.Winner();
    std::string line = std::string(match.SideName(winner)) + " " +
                       SideVerb(match, winner, "win", "wins") + " the rack";
    if (match.judged && r.rackOver && r.text[0] != '\0') {
        line += std::string(" (") + r.text;
        if (r.shooter != winner)
            line += std::string(" by ") + match.SideName(r.shooter);
        line += ")";
    }
    return line + ".";
}

std::string PottedLine(const int* balls, int count)
{
    std::string line = "Potted: ";
    if (count <= 0)
        return line + "none";
    for (int i = 0; i < count; ++i)
        line += (i ? ", " : "") + std::to_string(balls[i]);
    return line;
}
