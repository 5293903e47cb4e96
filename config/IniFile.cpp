// CIniFile, CIniSection, CIniKey: the INI reader behind game.cfg.
#include "config/IniFile.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "config/IniString.h"

// ---------------------------------------------------------------- CIniKey

CIniKey::CIniKey(std::string line) : number(0.0), kind(-1)
{
    const std::string::size_type eq = line.find('=');
    name = line.substr(0, eq);
    TrimRight(name);
    if (eq != std::string::npos) {
        value = line.substr(eq + 1);
        TrimLeft(value);
    }
    Parse();
}

// A value is a number when it starts with one (the rest of the line, a trailing
// comment say, is ignored), as the C runtime's atof reads it. A reading that
// overflows a double, or is not finite at all ("nan", "inf"), leaves the key as
// text, so such a typo falls back to the caller's default instead of feeding NaN on.
void CIniKey::Parse()
{
    const char* start = value.c_str();
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(start, &end);
    const bool hasPrefix = end != start;
    const bool overflow = errno == ERANGE && read != 0.0;
    number = hasPrefix ? read : 0.0;
    kind = (hasPrefix && !overflow && std::isfinite(read)) ? 1 : 0;
}

double CIniKey::GetNumValue() const
{
    return kind == 1 ? number : 0.0;
}

std::string CIniKey::GetStrValue() const
{
    return kind == -1 ? std::string() : value;
}

// ---------------------------------------------------------------- CIniSection

CIniSection::CIniSection(const std::string& name_) : name(name_) {}

CIniSection::~CIniSection()
{
    Clean();
}

void CIniSection::Clean()
{
    for (CIniKey* key : keys)
        delete key;
    keys.clear();
}

// ---------------------------------------------------------------- CIniFile

CIniFile::CIniFile() : currentSection(nullptr), opened(false) {}

CIniFile::CIniFile(const char* path) : currentSection(nullptr), opened(false)
{
    Open(path);
}

CIniFile::~CIniFile()
{
    Clean();
    file.clear();
    if (file.is_open())
        file.close();
}

bool CIniFile::Open(const char* path)
{
    // A second Open starts afresh: the sections of the first file are dropped
    // and its stream closed, so the reader reflects exactly one file.
    Clean();
    if (file.is_open())
        file.close();
    fileName = path ? path : "";
    file.clear();
    file.open(fileName.c_str(), std::ios::in);
    if (!file.is_open())
        file.clear();
    opened = true;
    if (file.is_open())
        Parse(file);
    return true;
}

void CIniFile::Parse(std::istream& in)
{
    currentSection = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        TrimBoth(line);
        if (line.empty())
            continue;
        if (line[0] == chSectPrefix) {
            // The last character is dropped unchecked, as the format always has.
            const std::string name = line.size() > 1 ? line.substr(1, line.size() - 2) : "";
            sections.push_back(new CIniSection(name));
            currentSection = sections.back();
            continue;
        }
        if (line[0] == ';' || !IsValidParameter(line))
            continue;
        // A key above the first header belongs to no section and is dropped.
        if (!currentSection)
            continue;
        CIniKey* key = new CIniKey(line);
        if (key->kind == -1) {
            delete key;
            continue;
        }
        currentSection->keys.push_back(key);
    }
}

CIniKey* CIniFile::GetIniKey(const std::string& section, const std::string& key)
{
    for (CIniSection* s : sections) {
        currentSection = s;
        if (s->name != section)
            continue;
        for (CIniKey* k : s->keys)
            if (k->name == key)
                return k;
    }
    return nullptr;
}

static void RequireOpened(bool opened)
{
    if (!opened)
        throw std::runtime_error("Unable read from ini-file - file not opened");
}

std::string CIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def)
{
    RequireOpened(opened);
    const CIniKey* k = GetIniKey(section, key);
    return (k && k->kind != -1) ? k->value : def;
}

double CIniFile::ReadFloat(const std::string& section, const std::string& key, double def)
{
    RequireOpened(opened);
    const CIniKey* k = GetIniKey(section, key);
    return (k && k->kind == 1) ? k->number : def;
}

int CIniFile::ReadInteger(const std::string& section, const std::string& key, int def)
{
    const double v = ReadFloat(section, key, static_cast<double>(def));
    // Converting a double outside int's range is undefined: answer the default.
    if (!(v > static_cast<double>(INT_MIN) - 1.0 && v < static_cast<double>(INT_MAX) + 1.0))
        return def;
    return static_cast<int>(v);
}

bool CIniFile::ReadBool(const std::string& section, const std::string& key, bool def)
{
    return ReadFloat(section, key, def ? 1.0 : 0.0) != 0.0;
}

void CIniFile::Clean()
{
    for (CIniSection* s : sections) {
        s->Clean();
        delete s;
    }
    sections.clear();
    currentSection = nullptr;
    opened = false;
}
