// Summary, CSV and SVG of a simulated shot: the free table's frames, or practice's fixed steps.
#include "tools/sim/ShotReport.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "app/GameLevel.h"
#include "game/TableGame.h"
#include "physics/PlayTable.h"
#include "physics/Simulation.h"
#include "physics/Units.h"

namespace {

const char* const CueBallName = "cue ball";

// Pool colours by number; 9 to 15 repeat 1 to 7 (the stripes).
const char* BallColour(int number)
{
    static const char* const colours[8] = {"#ffffff", "#f2c500", "#1f4fd8", "#d62020",
                                           "#6a2c91", "#f07800", "#138a36", "#7a1f1f"};
    if (number == 8)
        return "#111111";
    if (number <= 0 || number > 15)
        return colours[0];
    return colours[number > 8 ? number - 8 : number];
}

std::string Describe(int number)
{
    return number == 0 ? std::string(CueBallName) : "ball " + std::to_string(number);
}

std::string FileError(const std::string& path, const char* what)
{
    return "cannot " + std::string(what) + " '" + path + "': " + strerror(errno);
}

// Closes `f` and reports a failed write (a full disk shows up only here).
std::string Finish(FILE* f, const std::string& path)
{
    const bool failed = ferror(f) != 0;
    if (fclose(f) != 0 || failed)
        return FileError(path, "write");
    return "";
}

// Top view: metres to SVG pixels, y flipped so that +y is up the page.
const double Scale = 300.0;  // px per metre
const double HalfX = 1.55;   // shown half length, m: the bed, cushions and pockets
const double HalfY = 1.05;
double Px(double x) { return (x + HalfX) * Scale; }
double Py(double y) { return (HalfY - y) * Scale; }

// The play table: the bed inside the rails, the cut cushions and the holes.
void SvgPocketTable(FILE* f)
{
    fprintf(f, "<rect x=\"0\" y=\"0\" width=\"%.1f\" height=\"%.1f\" fill=\"#5a3a1e\"/>\n",
            2 * HalfX * Scale, 2 * HalfY * Scale);
    fprintf(f, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#0b6b3a\"/>\n",
            Px(-RailInnerX), Py(RailInnerY), 2 * RailInnerX * Scale, 2 * RailInnerY * Scale);
    for (int k = 0; k < PocketCount; ++k)
        fprintf(f, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"#000000\"/>\n",
                Px(PocketCentreX(k)), Py(PocketCentreY(k)), PocketRadius * Scale);
    // The cushions fill from each walk back along the rail line; the strips
    // of rail past them are covered by the holes and the wood around.
    const CushionPiece* pieces = PlayCushions();
    for (int k = 0; k < CushionPieces; ++k) {
        fprintf(f, "<polygon fill=\"#0e5530\" stroke=\"#06301a\" points=\"");
        for (int i = 0; i < 4; ++i)
            fprintf(f, "%s%.1f,%.1f", i ? " " : "", Px(pieces[k].x[i]), Py(pieces[k].y[i]));
        fprintf(f, "\"/>\n");
    }
}

void SvgTable(FILE* f)
{
    fprintf(f, "<rect x=\"0\" y=\"0\" width=\"%.1f\" height=\"%.1f\" fill=\"#5a3a1e\"/>\n",
            2 * HalfX * Scale, 2 * HalfY * Scale);
    // The bed within the physics' cushion planes.
    fprintf(f, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#0b6b3a\"/>\n",
            Px(-CushionX), Py(CushionY), 2 * CushionX * Scale, 2 * CushionY * Scale);
    // The pockets the scene draws (they take no part in the physics).
    for (const vec3& p : PocketPositions)
        fprintf(f, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"#000000\"/>\n",
                Px(p.x / SceneUnitsPerMetre), Py(p.y / SceneUnitsPerMetre), 0.07 * Scale);
}

// One path per ball, thinned to points at least 2 mm apart.
void SvgPath(FILE* f, const SimShotResult& result, int k)
{
    fprintf(f, "<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"2\" stroke-opacity=\"0.8\" points=\"",
            BallColour(result.number[k]));
    vec3 last = result.start[k];
    fprintf(f, "%.1f,%.1f", Px(last.x), Py(last.y));
    for (const auto& frame : result.track) {
        const vec3 p = frame[k];
        if (std::hypot(p.x - last.x, p.y - last.y) < 0.002)
            continue;
        fprintf(f, " %.1f,%.1f", Px(p.x), Py(p.y));
        last = p;
    }
    fprintf(f, " %.1f,%.1f\"/>\n", Px(result.final[k].x), Py(result.final[k].y));
}

void SvgBall(FILE* f, const SimShotResult& result, int k)
{
    const vec3 s = result.start[k], e = result.final[k];
    const int n = result.number[k];
    fprintf(f, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"none\" stroke=\"%s\" stroke-dasharray=\"3,2\"/>\n",
            Px(s.x), Py(s.y), 0.05 * Scale, BallColour(n));
    fprintf(f, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\" fill=\"%s\" stroke=\"#000000\"/>\n", Px(e.x),
            Py(e.y), 0.05 * Scale, BallColour(n));
    if (n > 0)
        fprintf(f,
                "<text x=\"%.1f\" y=\"%.1f\" font-family=\"sans-serif\" font-size=\"12\" "
                "text-anchor=\"middle\" fill=\"%s\">%d</text>\n",
                Px(e.x), Py(e.y) + 4.0, (n == 1 || n == 9) ? "#000000" : "#ffffff", n);
}

const char* PocketName(int k)
{
    static const char* const names[PocketCount] = {"+x +y corner", "+y middle", "-x +y corner",
                                                   "-x -y corner", "-y middle", "+x -y corner"};
    return k >= 0 && k < PocketCount ? names[k] : "?";
}

// Practice: how far the shot spread the balls, and what dropped where.
void PrintPots(FILE* out, const SimShotResult& result)
{
    const ShotEvents& e = result.events;
    if (e.firstContact < 0)
        fprintf(out, "first contact: none\n");
    else
        fprintf(out, "first contact: %s\n", Describe(e.firstContact).c_str());
    int moved = 0, objects = 0;
    for (int k = 0; k < SimBalls; ++k) {
        if (result.number[k] == 0)
            continue;
        ++objects;
        const vec3 d = result.final[k] - result.start[k];
        if (std::hypot(d.x, d.y) > 0.3)
            ++moved;
    }
    int cushioned = 0;
    for (int n : e.cushionsAtAll)
        cushioned += n != 0;
    fprintf(out, "object balls moved over 0.3 m: %d of %d\n", moved, objects);
    fprintf(out, "object balls to a cushion: %d\n", cushioned);
    if (e.potted.empty())
        fprintf(out, "potted: none\n");
    for (const ShotEvents::Pot& pot : e.potted) {
        int frame = -1;
        for (int k = 0; k < SimBalls; ++k)
            if (result.number[k] == pot.ball)
                frame = result.potFrame[k];
        fprintf(out, "potted: %s in pocket %d (%s) at step %d\n", Describe(pot.ball).c_str(),
                pot.pocket, PocketName(pot.pocket), frame);
    }
}

// How the run ended: at rest, stopped by the table game, or cut by the time limit.
void PrintEnd(FILE* out, const SimShotResult& result)
{
    const char* unit = result.steps ? "steps" : "frames";
    const double seconds = result.frames * SimFrameSeconds;
    if (result.atRest)
        fprintf(out, "at rest after %d %s (%.2f s)\n", result.frames, unit, seconds);
    else if (result.stalled)
        fprintf(out,
                "stopped by the game after %d %s (%.2f s): still moving after %.0f s of play\n",
                result.frames, unit, seconds, StallSeconds);
    else
        fprintf(out, "still moving after %d %s (%.2f s): time limit reached\n", result.frames, unit,
                seconds);
}

} // namespace

void PrintSummary(FILE* out, const ShotSettings& settings, const SimShotResult& result)
{
    for (const std::string& line : result.log)
        fprintf(out, "%s\n", line.c_str());
    if (result.refused) {
        fprintf(out, "shot refused by the table game: nothing played\n");
        return;
    }
    fprintf(out, "shot: angle %.1f deg, strength %.1f (%.3f m/s)\n", settings.angle,
            settings.strength, settings.strength / 20.0);
    if (settings.spin) {
        const StrikePoint p = ClampStrikePoint(settings.strike);
        fprintf(out, "strike point: side %.2f, top %.2f ball radii\n", p.side, p.top);
        for (int k = 0; k < SimBalls; ++k)
            if (result.number[k] == 0)
                fprintf(out, "cue ball: from (%.3f, %.3f) m to (%.3f, %.3f) m\n", result.start[k].x,
                        result.start[k].y, result.final[k].x, result.final[k].y);
    }
    PrintEnd(out, result);
    int fastest = 0, fastestObject = -1;
    for (int k = 0; k < SimBalls; ++k) {
        if (result.topSpeed[k] > result.topSpeed[fastest])
            fastest = k;
        if (result.number[k] != 0 &&
            (fastestObject < 0 || result.topSpeed[k] > result.topSpeed[fastestObject]))
            fastestObject = k;
    }
    fprintf(out, "fastest ball: %s at %.3f m/s\n", Describe(result.number[fastest]).c_str(),
            result.topSpeed[fastest]);
    if (fastestObject >= 0)
        fprintf(out, "fastest object ball: %s at %.3f m/s\n",
                Describe(result.number[fastestObject]).c_str(), result.topSpeed[fastestObject]);
    if (result.offTableFrame < 0)
        fprintf(out, "off the table: none\n");
    else
        fprintf(out, "off the table: %s at frame %d\n",
                Describe(result.number[result.offTableBall]).c_str(), result.offTableFrame);
    if (result.nanFrame < 0)
        fprintf(out, "NaN: none\n");
    else
        fprintf(out, "NaN: %s at frame %d\n", Describe(result.number[result.nanBall]).c_str(),
                result.nanFrame);
    if (result.pockets)
        PrintPots(out, result);
    if (!result.steps)
        return;
    fprintf(out, "fingerprint %016llx (every ball after every step, the game's lines)\n",
            static_cast<unsigned long long>(result.fingerprint));
    fprintf(out, "timing: %d frames of 1/%g s handed to the table game in %.3f s\n", result.updates,
            settings.frameRate, result.wallSeconds);
}

std::string WriteCsv(const std::string& path, const SimShotResult& result)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f)
        return FileError(path, "open");
    fprintf(f, "%s,time_s,ball,x_m,y_m,z_m\n", result.steps ? "step" : "frame");
    for (size_t frame = 0; frame < result.track.size(); ++frame)
        for (int k = 0; k < SimBalls; ++k) {
            const vec3 p = result.track[frame][k];
            fprintf(f, "%zu,%.5f,%d,%.6f,%.6f,%.6f\n", frame, frame * SimFrameSeconds,
                    result.number[k], p.x, p.y, p.z);
        }
    return Finish(f, path);
}

std::string WriteSvg(const std::string& path, const SimShotResult& result)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f)
        return FileError(path, "open");
    fprintf(f,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
            "viewBox=\"0 0 %.0f %.0f\">\n",
            2 * HalfX * Scale, 2 * HalfY * Scale, 2 * HalfX * Scale, 2 * HalfY * Scale);
    if (result.pockets)
        SvgPocketTable(f);
    else
        SvgTable(f);
    for (int k = 0; k < SimBalls; ++k)
        SvgPath(f, result, k);
    for (int k = 0; k < SimBalls; ++k)
        SvgBall(f, result, k);
    fprintf(f, "</svg>\n");
    return Finish(f, path);
}
