// baizeline-sim: plays one shot, or whole racks, without a window and reports how they end.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/sim/AutoPlay.h"
#include "tools/sim/ShotReport.h"
#include "tools/sim/ShotRun.h"

namespace {

// NaN, a ball off the table, a refused shot, or an output file that could not be written.
const int ExitFault = 1;
const int ExitUsage = 2;

void Usage(FILE* out)
{
    fprintf(
        out,
        "usage: baizeline-sim [--mode 0|1] [--seed N] [--csv FILE] [--svg FILE] [--max-seconds S]\n"
        "                     [--spin SIDE,TOP] [--frame-rate F] ANGLE STRENGTH\n"
        "       baizeline-sim --mode 2|3 --auto N [--level L] [--seed N] [--frame-rate F]\n"
        "                     [--progress]\n"
        "\n"
        "Mode 0, the free table: racks the sixteen balls as the game does, strikes the cue\n"
        "ball and runs frames of 1/60 s (25 passes each) until every ball moves slower than\n"
        "1 mm/s. Modes 1 to 3 play through the game's table game, headless: its racks\n"
        "(shuffled from --seed), its strike, and its frame loop at F frames a second, whose\n"
        "fixed steps of 1/60 s make every outcome the same at any F.\n"
        "\n"
        "  ANGLE            heading of the shot in degrees (180 aims at the rack)\n"
        "  STRENGTH         cue strength, 20 to 150 scene units per second (20 units = 1 m)\n"
        "  --csv FILE       write every ball's position per frame (practice: per step), metres\n"
        "  --svg FILE       write a top view of the table with each ball's path\n"
        "  --max-seconds S  simulated time limit, 0 < S <= 3600 (default 120; the table\n"
        "                   game itself stops a shot after 60 s of play)\n"
        "  --mode M         0 the free table (default); 1 practice: the table game's rack,\n"
        "                   the cue ball put down on the head string, pockets that take\n"
        "                   balls; reports the game's log lines and what dropped where\n"
        "                   2 8-ball, 3 9-ball: whole racks computer against computer\n"
        "  --seed N         mode 1: the table game's seed, which shuffles its rack; modes\n"
        "                   2 and 3: rack r of each level is a table game seeded N + r;\n"
        "                   0 to 4294967295 (default 1; the free table's rack is fixed)\n"
        "  --spin SIDE,TOP  strike the cue ball off centre: SIDE right (+) or left (-), TOP\n"
        "                   above (+, follow) or below (-, draw), in ball radii, clamped to\n"
        "                   0.5 from the centre; prints the strike point and the cue ball's\n"
        "                   start and rest\n"
        "  --frame-rate F   modes 1 to 3: frames a second handed to the table game, 30 to\n"
        "                   250 (default 60); only the lines starting \"timing:\" change\n"
        "  --auto N         modes 2 and 3: play N racks per level, 1 to 100000, and print\n"
        "                   per level the share won within 60 visits, shots, visits, pots\n"
        "                   per visit, fouls per rack, stalls, and on a timing line the\n"
        "                   seconds per decision\n"
        "  --level L        modes 2 and 3: only level L (1 easy to 3 hard; default all)\n"
        "  --progress       modes 2 and 3: one line per rack on standard error\n"
        "\n"
        "Lines starting \"timing:\" hold wall-clock figures; the rest of the output is the\n"
        "same from run to run for the same arguments. The fingerprint line of modes 1 to 3\n"
        "hashes every ball after every step and the game's lines.\n"
        "\n"
        "Exit status: 0 all balls stayed on the table without NaN, 1 a fault (a stall or a\n"
        "refused decision in modes 2 and 3) or an unwritable file, 2 bad arguments.\n");
}

int BadArguments(const std::string& message)
{
    fprintf(stderr, "baizeline-sim: %s\n", message.c_str());
    fprintf(stderr, "Try 'baizeline-sim --help'.\n");
    return ExitUsage;
}

// A whole argument as a finite number, or false.
bool ParseNumber(const char* text, double* value)
{
    errno = 0;
    char* end = nullptr;
    const double v = strtod(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// "SIDE,TOP": two whole numbers separated by one comma.
bool ParseStrikePoint(const char* text, StrikePoint* p)
{
    const char* comma = strchr(text, ',');
    if (!comma)
        return false;
    double side = 0.0, top = 0.0;
    if (!ParseNumber(std::string(text, comma).c_str(), &side) || !ParseNumber(comma + 1, &top))
        return false;
    p->side = static_cast<float>(side);
    p->top = static_cast<float>(top);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    ShotSettings settings;
    std::string csvPath, svgPath;
    const char* positional[2] = {nullptr, nullptr};
    int positionals = 0;
    AutoPlaySettings autoPlay;
    int autoRacks = 0;
    bool progress = false;
    bool frameRateGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        }
        if (arg == "--spin") {
            if (i + 1 >= argc)
                return BadArguments(arg + " needs a value");
            if (!ParseStrikePoint(argv[++i], &settings.strike))
                return BadArguments("--spin needs SIDE,TOP as two numbers, not '" +
                                    std::string(argv[i]) + "'");
            settings.spin = true;
            continue;
        }
        if (arg == "--progress") {
            progress = true;
            continue;
        }
        if (arg == "--csv" || arg == "--svg" || arg == "--max-seconds" || arg == "--mode" ||
            arg == "--seed" || arg == "--auto" || arg == "--level" || arg == "--frame-rate") {
            if (i + 1 >= argc)
                return BadArguments(arg + " needs a value");
            const char* value = argv[++i];
            double number = 0.0;
            if (arg == "--mode") {
                if (!ParseNumber(value, &number) || !(number == 0.0 || number == 1.0 || number == 2.0 || number == 3.0))
                    return BadArguments("--mode must be 0, 1, 2 or 3, not '" + std::string(value) + "'");
                settings.mode = static_cast<int>(number);
            } else if (arg == "--auto") {
                if (!ParseNumber(value, &number) || number < 1.0 || number > 100000.0 || number != std::floor(number))
                    return BadArguments("--auto must be a whole number from 1 to 100000, not '" + std::string(value) + "'");
                autoRacks = static_cast<int>(number);
            } else if (arg == "--level") {
                if (!ParseNumber(value, &number) || !(number == 1.0 || number == 2.0 || number == 3.0))
                    return BadArguments("--level must be 1, 2 or 3, not '" + std::string(value) + "'");
                autoPlay.levels = {static_cast<int>(number)};
            } else if (arg == "--seed") {
                if (!ParseNumber(value, &number) || number < 0.0 || number > 4294967295.0 ||
                    number != std::floor(number))
                    return BadArguments("--seed must be a whole number from 0 to 4294967295, not '" +
                                        std::string(value) + "'");
                settings.seed = static_cast<unsigned>(number);
            } else if (arg == "--frame-rate") {
                if (!ParseNumber(value, &settings.frameRate) ||
                    settings.frameRate < SimMinFrameRate || settings.frameRate > SimMaxFrameRate)
                    return BadArguments(
                        "--frame-rate must be a number from 30 to 250 frames a second, not '" +
                        std::string(value) + "'");
                frameRateGiven = true;
            } else if (arg == "--csv")
                csvPath = value;
            else if (arg == "--svg")
                svgPath = value;
            else if (!ParseNumber(value, &settings.maxSeconds) || settings.maxSeconds <= 0.0 ||
                     settings.maxSeconds > 3600.0)
                return BadArguments("--max-seconds must be a number above 0 and at most 3600, not '" +
                                    std::string(value) + "'");
            continue;
        }
        // A leading '-' followed by a digit or '.' is a negative angle, not an option.
        if (arg.size() > 1 && arg[0] == '-' && !(isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.'))
            return BadArguments("unknown option '" + arg + "'");
        if (positionals == 2)
            return BadArguments("unexpected argument '" + arg + "'");
        positional[positionals++] = argv[i];
    }
    if (settings.mode >= 2) {
        if (autoRacks == 0)
            return BadArguments("--mode " + std::to_string(settings.mode) + " needs --auto N");
        if (positionals > 0)
            return BadArguments("--auto plays whole racks: no ANGLE or STRENGTH");
        autoPlay.mode = settings.mode;
        autoPlay.racks = autoRacks;
        autoPlay.seed = settings.seed;
        autoPlay.frameRate = settings.frameRate;
        return RunAutoPlay(autoPlay, stdout, progress ? stderr : nullptr);
    }
    if (autoRacks > 0)
        return BadArguments("--auto needs --mode 2 or 3");
    if (frameRateGiven && settings.mode == 0)
        return BadArguments(
            "--frame-rate needs --mode 1, 2 or 3: the free table runs its own 1/60 s frames");
    if (positionals < 2)
        return BadArguments("ANGLE and STRENGTH are required");
    double angle = 0.0, strength = 0.0;
    if (!ParseNumber(positional[0], &angle))
        return BadArguments("ANGLE must be a number of degrees, not '" + std::string(positional[0]) + "'");
    if (!ParseNumber(positional[1], &strength) || strength < 20.0 || strength > 150.0)
        return BadArguments("STRENGTH must be a number from 20 to 150, not '" +
                            std::string(positional[1]) + "'");
    settings.angle = static_cast<float>(angle);
    settings.strength = static_cast<float>(strength);
    settings.record = !csvPath.empty() || !svgPath.empty();

    const SimShotResult result = RunShot(settings);
    PrintSummary(stdout, settings, result);

    int status =
        result.refused || result.nanFrame >= 0 || result.offTableFrame >= 0 ? ExitFault : 0;
    for (const auto& [path, writer] : {std::make_pair(csvPath, &WriteCsv), std::make_pair(svgPath, &WriteSvg)}) {
        if (path.empty())
            continue;
        const std::string error = writer(path, result);
        if (!error.empty()) {
            fprintf(stderr, "baizeline-sim: %s\n", error.c_str());
            status = ExitFault;
        }
    }
    return status;
}
