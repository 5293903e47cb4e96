// The HUD's sentences about a rack: every verdict through its builder for each side, a person's and
// the computer's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/Match.h"
#include "play/VerdictText.h"

namespace {

bool Contains(const std::string& s, const char* part)
{
    return s.find(part) != std::string::npos;
}

// Every kind of verdict the referee gives that the HUD words.
std::vector<ShotResult> Verdicts()
{
    std::vector<ShotResult> all;
    for (Foul f : {Foul::CuePotted, Foul::NoBallHit, Foul::WrongBallFirst, Foul::NoCushion,
                   Foul::IllegalBreak}) {
        ShotResult r;
        r.foul = f;
        r.firstContact = f == Foul::WrongBallFirst ? 3 : -1;
        r.targets = BallBit(1);
        r.turnPasses = true;
        r.ballInHand = true;
        all.push_back(r);
    }
    ShotResult reRack;
    reRack.reRack = true;
    reRack.turnPasses = true;
    all.push_back(reRack);
    for (Group g : {Group::Solids, Group::Stripes}) {
        ShotResult r;
        r.groupAssigned = g;
        all.push_back(r);
    }
    return all;
}

// A verb after "You" has no -s; after any other name it has.
void ExpectAgreement(const std::string& line)
{
    for (const char* wrong :
         {"You takes", "You wins", "You has", "You breaks", "Computer take ", "Computer win ",
          "Computer have", "Computer break,", "Player 1 take ", "Player 2 take ", "Player 1 have",
          "Player 2 have", "Player 1 win ", "Player 2 win "})
        EXPECT_FALSE(Contains(line, wrong)) << line;
}

TEST(VerdictText, EveryVerdictForBothSidesAgainstAPersonAndTheComputerReadsGrammatically)
{
    int lines = 0;
    for (int opponent = 0; opponent <= 3; ++opponent) {
        CMatch match;
        match.opponent = opponent;
        for (int shooter = 0; shooter < 2; ++shooter) {
            for (ShotResult r : Verdicts()) {
                r.shooter = shooter;
                r.nextShooter = r.turnPasses ? 1 - shooter : shooter;
                const std::string line = VerdictLine(match, r);
                ASSERT_FALSE(line.empty());
                ExpectAgreement(line);
                EXPECT_TRUE(Contains(line, match.SideName(shooter)))
                    << "names the shooter: " << line;
                ++lines;
            }
        }
    }
    EXPECT_EQ(lines, 4 * 2 * 8);

    CMatch computer;
    computer.opponent = 2;
    ShotResult group;
    group.groupAssigned = Group::Solids;
    EXPECT_EQ(VerdictLine(computer, group), "You take solids");
    group.shooter = 1;
    group.groupAssigned = Group::Stripes;
    EXPECT_EQ(VerdictLine(computer, group), "Computer takes stripes");
}

TEST(VerdictText, TheWinnerLineAgreesWithEveryWinnerAndNamesTheLoserWhoEndedIt)
{
    for (int opponent = 0; opponent <= 1; ++opponent)
        for (int winner = 0; winner < 2; ++winner)
            for (int shooter = 0; shooter < 2; ++shooter) {
                CMatch match;
                match.opponent = opponent;
                RackState s = match.rules.State();
                s.over = true;
                s.winner = winner;
                match.rules = CRules(s);
                match.judged = true;
                match.last.rackOver = true;
                match.last.shooter = shooter;
                match.last.winner = winner;
                match.last.text = "8-ball potted early";
                const std::string line = WinnerLine(match);
                ExpectAgreement(line);
                EXPECT_EQ(line.rfind(match.SideName(winner), 0), 0u) << line;
                EXPECT_EQ(Contains(line, " by "), shooter != winner) << line;
            }
    CMatch match;
    match.opponent = 1;
    RackState s = match.rules.State();
    s.over = true;
    s.winner = 0;
    match.rules = CRules(s);
    match.judged = true;
    match.last.rackOver = true;
    match.last.shooter = 1;
    match.last.text = "Three fouls in a row";
    EXPECT_EQ(WinnerLine(match), "You win the rack (Three fouls in a row by Computer).");
    EXPECT_EQ(VerdictLine(match, match.last), "") << "the winner line says it";
}

TEST(VerdictText, AFoulNamesTheBallHitAndTheBallOn)
{
    ShotResult r;
    r.foul = Foul::WrongBallFirst;
    r.firstContact = 3;
    r.targets = BallBit(1);
    EXPECT_EQ(FoulSentence(r), "Foul: the 3 was hit first, the 1 was on");
    r.targets = SolidBalls;
    r.firstContact = 12;
    EXPECT_EQ(FoulSentence(r), "Foul: the 12 was hit first, a solid was on");
    r.targets = StripeBalls;
    EXPECT_EQ(BallOn(r.targets), "a stripe");
    EXPECT_EQ(BallOn(BallSet(BallsUpTo(15) & ~BallBit(8))), "any ball but the 8");
    r.foul = Foul::NoBallHit;
    r.targets = BallBit(8);
    EXPECT_EQ(FoulSentence(r), "Foul: no ball was hit, the 8 was on");

    CMatch hotSeat; // two people
    r.shooter = 1;
    r.nextShooter = 0;
    r.ballInHand = true;
    EXPECT_EQ(VerdictLine(hotSeat, r),
              "Foul: no ball was hit, the 8 was on (Player 2). Player 1 has ball in hand");
}

TEST(VerdictText, PottedListsTheBallsInTheOrderTheyWentDown)
{
    const int balls[] = {15, 6, 4};
    EXPECT_EQ(PottedLine(balls, 3), "Potted: 15, 6, 4");
    EXPECT_EQ(PottedLine(balls, 0), "Potted: none");
}

} // namespace
