// CIniFile, CIniSection, CIniKey: the INI reader behind game.cfg.
#include "config/IniFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
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

CIniSection::CIniSection(const std::string& name_) : name(name_)
{}

CIniSection::~CIniSection()
{
    Clean();
}

void CIniSection::Clean()
{
    keys.clear();
}

// ---------------------------------------------------------------- CIniFile

CIniFile::CIniFile() : currentSection(nullptr), opened(false)
{}

CIniFile::CIniFile(const char* path) : currentSection(nullptr), opened(false)
{
    Open(path);
}

CIniFile::~CIniFile()
{
    Clean();
}

// The whole of a regular file into `text`; false with the reason in `problem`
// when the file is there but cannot be read. An absent file is read as empty.
static bool ReadWholeFile(const std::string& path, std::string& text, std::string& problem)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            // A link to nothing is there all the same: the player meant a file.
            if (lstat(path.c_str(), &info) == 0) {
                problem = "is a link to nothing";
                return false;
            }
            return true;
        }
        problem = std::string("cannot be read: ") + strerror(errno);
        return false;
    }
    // Checked before opening: a FIFO would block the start until a writer came.
    if (!S_ISREG(info.st_mode)) {
        problem = S_ISDIR(info.st_mode) ? "is a directory, not a file" : "is not a regular file";
        return false;
    }
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) {
        problem = std::string("cannot be read: ") + strerror(errno);
        return false;
    }
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    const bool failed = ferror(f) != 0;
    const int error = errno;
    fclose(f);
    if (failed) {
        problem = std::string("cannot be read: ") + strerror(error);
        text.clear();
        return false;
    }
    return true;
}

bool CIniFile::Open(const char* path)
{
    // A second Open starts afresh: the sections of the first file are dropped,
    // so the reader reflects exactly one file.
    Clean();
    fileName = path ? path : "";
    problem.clear();
    opened = true;
    std::string text;
    if (ReadWholeFile(fileName, text, problem))
        Parse(text.data(), text.size());
    return true;
}

void CIniFile::Parse(std::istream& in)
{
    std::ostringstream text;
    text << in.rdbuf();
    const std::string whole = text.str();
    Parse(whole.data(), whole.size());
}

// One of chWhite, by a table: the parse asks twice for every line.
static bool IsWhite(char c)
{
    static const auto table = [] {
        std::array<bool, 256> t{};
        for (const char* w = chWhite; *w; ++w)
            t[static_cast<unsigned char>(*w)] = true;
        return t;
    }();
    return table[static_cast<unsigned char>(c)];
}

// Lines end at '\n'; each is trimmed of chWhite at both ends first.
void CIniFile::Parse(const char* text, size_t size)
{
    currentSection = nullptr;
    // Sized once for the headers the text may hold (lines that open with '['),
    // so that a file of a million sections does not rebuild the index twenty
    // times as it fills; at most 2M slots (16 MB), past which it grows as usual.
    size_t headers = size > 0 && text[0] == chSectPrefix;
    for (const char* at = text;
         (at = static_cast<const char*>(memchr(at, '\n', static_cast<size_t>(text + size - at))));)
        headers += ++at < text + size && *at == chSectPrefix;
    Reserve(sections.size() + std::min<size_t>(headers, size_t(1) << 20));
    const char* const stop = text + size;
    for (const char* at = text; at < stop;) {
        const char* eol =
            static_cast<const char*>(memchr(at, '\n', static_cast<size_t>(stop - at)));
        if (!eol)
            eol = stop;
        const char* begin = at;
        const char* end = eol;
        at = eol + 1;
        while (begin < end && IsWhite(*begin))
            ++begin;
        while (end > begin && IsWhite(end[-1]))
            --end;
        if (begin == end)
            continue;
        if (*begin == chSectPrefix) {
            // The last character is dropped unchecked, as the format always has.
            const size_t length = static_cast<size_t>(end - begin);
            const std::string_view name =
                length > 1 ? std::string_view(begin + 1, length - 2) : std::string_view();
            // The same header again, the common case of a repeated one, needs no look-up.
            if (!currentSection || currentSection->name != name) {
                currentSection = FindOrAddSection(name);
            }
            continue;
        }
        // A comment, no '=', or '=' first: not a key.
        const char* eq =
            static_cast<const char*>(memchr(begin, '=', static_cast<size_t>(end - begin)));
        if (*begin == ';' || !eq || eq == begin)
            continue;
        // A key above the first header belongs to no section and is dropped.
        if (!currentSection)
            continue;
        currentSection->keys.emplace_back(std::string(begin, end));
        if (currentSection->keys.back().kind == -1)
            currentSection->keys.pop_back();
    }
}

static size_t NameHash(std::string_view name)
{
    return std::hash<std::string_view>()(name);
}

static uint32_t Tag(size_t hash)
{
    return static_cast<uint32_t>(static_cast<uint64_t>(hash) >> 32);
}

size_t CIniFile::Slot(std::string_view name, size_t hash) const
{
    const size_t mask = slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const uint64_t slot = slots[i];
        if (slot == 0 || (static_cast<uint32_t>(slot >> 32) == Tag(hash) &&
                          sections[static_cast<uint32_t>(slot) - 1]->name == name))
            return i;
    }
}

CIniSection* CIniFile::FindSection(std::string_view name) const
{
    if (slots.empty())
        return nullptr;
    const uint64_t slot = slots[Slot(name, NameHash(name))];
    return slot ? sections[static_cast<uint32_t>(slot) - 1] : nullptr;
}

void CIniFile::Reserve(size_t count)
{
    // At most half full, so that a probe ends soon; a power of two for the mask.
    size_t size = slots.empty() ? 64 : slots.size();
    while (size < 2 * count)
        size *= 2;
    if (size == slots.size())
        return;
    slots.assign(size, 0);
    for (size_t i = 0; i < sections.size(); ++i) {
        const size_t hash = NameHash(sections[i]->name);
        slots[Slot(sections[i]->name, hash)] = static_cast<uint64_t>(Tag(hash)) << 32 | (i + 1);
    }
}

// One probe for both answers: a million new names would otherwise pay for a
// failed look-up and then the same probe again to insert.
CIniSection* CIniFile::FindOrAddSection(std::string_view name)
{
    Reserve(sections.size() + 1);
    const size_t hash = NameHash(name);
    uint64_t& slot = slots[Slot(name, hash)];
    if (slot)
        return sections[static_cast<uint32_t>(slot) - 1];
    store.emplace_back(std::string(name));
    sections.push_back(&store.back());
    slot = static_cast<uint64_t>(Tag(hash)) << 32 | sections.size();
    return sections.back();
}

CIniKey* CIniFile::GetIniKey(const std::string& section, const std::string& key)
{
    currentSection = FindSection(section);
    if (!currentSection)
        return nullptr;
    for (CIniKey& k : currentSection->keys)
        if (k.name == key)
            return &k;
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
    sections.clear();
    store.clear();
    slots.clear();
    currentSection = nullptr;
    opened = false;
}
