// String helpers of the INI reader: the whitespace set, trims and small predicates.
#pragma once

#include <string>

extern const char chSectPrefix;  // '[' opens a section header line
extern const char chSectPostfix; // ']' nominally closes it (the parser never compares it)
extern const char chWhite[];     // " \n\t\r": what every trim removes

void TrimLeft(std::string& s);
void TrimRight(std::string& s);
void TrimBoth(std::string& s);

// True when s holds an '=' and the first one is not its first character.
bool IsValidParameter(const std::string& s);

// Equality of two C strings ignoring the case of ASCII letters.
bool CompareNoCase(const std::string& a, const std::string& b);
