// String helpers of the INI reader.
#include "config/IniString.h"

#include <strings.h>

const char chSectPrefix = '[';
const char chSectPostfix = ']';
const char chWhite[] = " \n\t\r";

void TrimLeft(std::string& s)
{
    s.erase(0, s.find_first_not_of(chWhite));
}

void TrimRight(std::string& s)
{
    const std::string::size_type last = s.find_last_not_of(chWhite);
    s.erase(last == std::string::npos ? 0 : last + 1);
}

void TrimBoth(std::string& s)
{
    TrimLeft(s);
    TrimRight(s);
}

bool IsValidParameter(const std::string& s)
{
    const std::string::size_type eq = s.find('=');
    return eq != std::string::npos && eq != 0;
}

bool CompareNoCase(const std::string& a, const std::string& b)
{
    // Compared as C strings: an embedded NUL ends the comparison.
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}
