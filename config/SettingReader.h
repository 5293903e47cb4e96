// CSettingReader: typed settings from game.cfg, each value it cannot use said on standard error
// with what is used instead.
#pragma once

#include <climits>
#include <cstdio>
#include <string>

class CIniFile;
class CIniKey;

// A missing key takes its default without a word: that is how a setting is
// left out. A key that is there but unusable (not a number, not a whole one,
// past what the setting's type holds, outside the setting's range) gets one
// line on `out`: "game.cfg: [Display] Width=abc is not a number; using 800".
class CSettingReader {
public:
    CSettingReader(CIniFile& ini, FILE* out);

    // Any number: 0 is off, anything else on.
    bool Flag(const char* section, const char* key, bool def);
    // A whole number within [low, high]. A fraction is cut toward zero and
    // said. Outside the range, `fallback` is used, and the line says `why`
    // ("is not a mode (...)") and `instead` ("playing the free table"); with
    // no `why` the range is the int's.
    int Integer(const char* section, const char* key, int def, int low = INT_MIN,
                int high = INT_MAX, const char* why = nullptr, int fallback = 0,
                const char* instead = nullptr);
    // A number within [low, high] (float's range when no `why` is given), kept as a float.
    float Float(const char* section, const char* key, double def, double low = 0.0,
                double high = 0.0, const char* why = nullptr);
    // The line for `key`, whose value `k` holds: "<file>: [section] key=value why; instead".
    void Refuse(const char* section, const char* key, const CIniKey& k, const char* why,
                const std::string& instead);

private:
    CIniFile& ini;
    FILE* out;
};
