// CommandLine: whole-word options, each value a whole number in its range.
#include "app/CommandLine.h"

#include <cstdlib>
#include <cstring>

#include "net/NetAddress.h"

const char* const GameUsage = "usage: baizeline [--menu] [--mode 0|1|2|3] [--opponent 0|1|2|3] "
                              "[--host [PORT] | --join HOST[:PORT]] [--help]";

namespace {

// "0" to "3" and nothing else.
bool SmallNumber(const char* text, int& value)
{
    if (!text || std::strlen(text) != 1 || text[0] < '0' || text[0] > '3')
        return false;
    value = text[0] - '0';
    return true;
}

} // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine& out, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        if (arg == "--menu") {
            out.menu = true;
        } else if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--mode" || arg == "--opponent") {
            int& value = arg == "--mode" ? out.mode : out.opponent;
            if (i + 1 >= argc || !SmallNumber(argv[i + 1], value)) {
                error = arg + " needs a number from 0 to 3" +
                        (i + 1 < argc ? std::string(", not '") + argv[i + 1] + "'" : "");
                return false;
            }
            ++i;
        } else if (arg == "--host") {
            out.host = DefaultNetPort;
            // The port is optional: a next argument that is no option is it.
            if (i + 1 < argc && argv[i + 1] && argv[i + 1][0] != '-') {
                if (!ParsePort(argv[i + 1], out.host)) {
                    error = std::string("--host takes a port from 1 to 65535, not '") +
                            argv[i + 1] + "'";
                    return false;
                }
                ++i;
            }
        } else if (arg == "--join") {
            std::string host, why;
            std::uint16_t port = 0;
            if (i + 1 >= argc || !ParseHostPort(argv[i + 1] ? argv[i + 1] : "", host, port, why)) {
                error = "--join needs HOST or HOST:PORT" + (why.empty() ? "" : ": " + why);
                return false;
            }
            out.join = argv[++i];
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    if (out.host && !out.join.empty()) {
        error = "--host and --join cannot go together";
        return false;
    }
    return true;
}
