// VerdictText: the HUD's sentences about a rack: fouls naming the balls, groups taken, winners,
// whose turn.
#pragma once

#include <string>

#include "play/Match.h"

// Every sentence that names a side goes through these, so that "You" takes
// "take", "win", "have" and every other name "takes", "wins", "has".
const char* SideVerb(const CMatch& match, int side, const char* you, const char* other);

// What the cue ball should have met first, as a player says it: "the 1",
// "a solid", "a stripe", "the 8", "any ball but the 8", "any ball".
std::string BallOn(BallSet targets);

// The foul of `r`, naming the balls: "Foul: the 3 was hit first, the 1 was on".
// "" for a shot that was no foul.
std::string FoulSentence(const ShotResult& r);

// The line the HUD shows after a judged shot worth a word: the foul by its
// shooter and who has ball in hand, an illegal break, the groups decided.
// "" for an ordinary shot and for a rack that is over (WinnerLine says it).
std::string VerdictLine(const CMatch& match, const ShotResult& r);

// "You win the rack (8-ball potted early by Computer)." once the rack is over.
std::string WinnerLine(const CMatch& match);

// "Potted: 15, 6, 4" in the order they went down; "Potted: none".
std::string PottedLine(const int* balls, int count);
