// ShotResult: the HUD lines for the fouls and the groups.
#include "rules/ShotResult.h"

const char* FoulText(Foul foul)
{
    switch (foul) {
    case Foul::None:
        return "";
    case Foul::CuePotted:
        return "Foul: cue ball potted";
    case Foul::NoBallHit:
        return "Foul: no ball hit";
    case Foul::WrongBallFirst:
        return "Foul: wrong ball hit first";
    case Foul::NoCushion:
        return "Foul: no cushion after contact";
    case Foul::IllegalBreak:
        return "Foul: illegal break";
    }
    return "Foul";
}

const char* GroupName(Group g)
{
    return g == Group::Solids ? "solids" : g == Group::Stripes ? "stripes" : "open table";
}
