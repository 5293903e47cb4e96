// CIniFile: reads an INI text file into sections and keys and answers typed look-ups.
#pragma once

#include <cstdint>
#include <deque>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

// One "name = value" line. A value with a numeric prefix is also a number.
class CIniKey {
public:
    explicit CIniKey(std::string line);

    // Recomputes `number` and `kind` from `value`.
    void Parse();
    // The game reads values through CIniFile's typed look-ups, never through these two.
    double GetNumValue() const;      // `number` when kind is 1, else 0.0
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

    void Clean(); // drops every key

    std::string name; // exactly as cut from the header line, not trimmed
    std::vector<CIniKey>
        keys; // in file order; held by value: a million keys, a million fewer allocations
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
    // When the file is there but cannot be used, `problem` says why.
    bool Open(const char* path);
    // Appends the sections and keys read from `in` (or `text`) to those already held.
    void Parse(std::istream& in);
    void Parse(const char* text, size_t size);
    // First key `key` of the first section named `section` that has one; null
    // if none. The section comes from an index made as the text is parsed: a
    // file of a million sections costs one hash look-up, not a scan of them all.
    CIniKey* GetIniKey(const std::string& section, const std::string& key);

    // Look-ups. Each throws std::runtime_error when the reader is not opened.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def);
    double ReadFloat(const std::string& section, const std::string& key, double def);
    int ReadInteger(const std::string& section, const std::string& key, int def);
    bool ReadBool(const std::string& section, const std::string& key, bool def);

    // Drops every section and key and goes back to not opened; the file stays open.
    void Clean();

    // One a name, in the order the names first appear. A header that
    // names a section already held goes on with it: its keys follow that
    // section's, which keeps "the first section that has the key" answering
    // as before, and 2.5 million repeated headers cost no memory.
    std::vector<CIniSection*> sections;
    CIniSection* currentSection; // not owned: parse target, then the section of the last key found
    std::string fileName;
    // Empty when the last Open read its file or found none; else why a file
    // that is there was not read ("is a directory, not a file", "cannot be
    // read: Permission denied"). Its sections are then none, as if absent.
    std::string problem;
    bool opened;

private:
    // The index of `sections` by name, kept by Parse and Clean (a section
    // added to `sections` by hand is not found): open addressing, each slot 0
    // when empty, else the upper half of the name's hash over the section's
    // position + 1. A million distinct names cost a million probes of one
    // flat array, where a node-based map spent most of its time in cache misses.
    std::vector<uint64_t> slots;
    std::deque<CIniSection> store; // what `sections` points at: one allocation for several
    size_t Slot(std::string_view name,
                size_t hash) const; // where `name` is, or the empty slot for it
    CIniSection* FindSection(std::string_view name) const;
    CIniSection* FindOrAddSection(std::string_view name);
    void Reserve(size_t count); // room in `slots` for `count` sections
};
