// CIniFile: reads an INI text file into sections and keys and answers typed look-ups.
#pragma once

#include <fstream>
#include <list>
#include <string>

// One "name = value" line. A value with a numeric prefix is also a number.
class CIniKey {
public:
    explicit CIniKey(std::string line);
    virtual ~CIniKey() = default;

    // Recomputes `number` and `kind` from `value`.
    void Parse();
    // The game reads values through CIniFile's typed look-ups, never through these two.
    double GetNumValue() const;     // `number` when kind is 1, else 0.0
    std::string GetStrValue() const; // `value` unless kind is -1, else ""

    std::string name;  // text before the first '=', trailing whitespace removed
    std::string value; // text after the first '=', leading whitespace removed
    double number;     // numeric prefix of `value`
    int kind;          // -1 unusable (never stored), 0 text only, 1 number
};

class CIniSection {
public:
    explicit CIniSection(const std::string& name);
    virtual ~CIniSection();
    CIniSection(const CIniSection&) = delete;
    CIniSection& operator=(const CIniSection&) = delete;

    void Clean(); // deletes every key

    std::string name;          // exactly as cut from the header line, not trimmed
    std::list<CIniKey*> keys;  // owned, in file order
};

class CIniFile {
public:
    CIniFile();
    explicit CIniFile(const char* path); // as CIniFile() then Open(path); the game uses Open
    virtual ~CIniFile();
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Reads `path` afresh. A missing or unreadable file is not an error: the
    // reader then holds no sections and every look-up answers its default.
    bool Open(const char* path);
    // Appends the sections and keys read from `in` to those already held.
    void Parse(std::istream& in);
    // First key `key` of the first section named `section` that has one; null if none.
    CIniKey* GetIniKey(const std::string& section, const std::string& key);

    // Look-ups. Each throws std::runtime_error when the reader is not opened.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def);
    double ReadFloat(const std::string& section, const std::string& key, double def);
    int ReadInteger(const std::string& section, const std::string& key, int def);
    bool ReadBool(const std::string& section, const std::string& key, bool def);

    // Drops every section and key and goes back to not opened; the file stays open.
    void Clean();

    std::list<CIniSection*> sections; // owned, in file order
    CIniSection* currentSection;      // not owned: parse target, then look-up cursor
    std::string fileName;
    std::fstream file;
    bool opened;
};
