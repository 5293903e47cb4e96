// CSettingReader: look-ups through CIniFile that say why a value that is there is not used.
#include "config/SettingReader.h"

#include <cmath>
#include <limits>

#include "config/IniFile.h"

namespace {

// A value as the player wrote it, short and printable: a line of a binary
// file must not spill control characters or a megabyte onto the terminal.
std::string Shown(const std::string& value)
{
    const size_t most = 40;
    std::string shown;
    for (size_t i = 0; i < value.size() && i < most; ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        shown += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    if (value.size() > most)
        shown += "...";
    return shown;
}

// The shortest text that reads back as `value` for the settings' sizes: 9.81, 1.85e-05, 800.
std::string Number(double value)
{
    char text[32];
    snprintf(text, sizeof text, "%.9g", value);
    return text;
}

const char* NotANumber(const CIniKey& k)
{
    // A start that strtod read as an infinity (1e999, "inf") is a number too large.
    return std::isinf(k.number) ? "is beyond any number's range" : "is not a number";
}

} // namespace

CSettingReader::CSettingReader(CIniFile& ini_, FILE* out_) : ini(ini_), out(out_)
{}

void CSettingReader::Refuse(const char* section, const char* key, const CIniKey& k, const char* why,
                            const std::string& instead)
{
    fprintf(out, "%s: [%s] %s=%s %s; %s\n", ini.fileName.c_str(), section, key,
            Shown(k.value).c_str(), why, instead.c_str());
    fflush(out);
}

bool CSettingReader::Flag(const char* section, const char* key, bool def)
{
    const CIniKey* k = ini.GetIniKey(section, key);
    if (!k)
        return def;
    if (k->kind != 1) {
        Refuse(section, key, *k, "is not a number (0 is off, anything else on)",
               def ? "using 1" : "using 0");
        return def;
    }
    return k->number != 0.0;
}

int CSettingReader::Integer(const char* section, const char* key, int def, int low, int high,
                            const char* why, int fallback, const char* instead)
{
    const CIniKey* k = ini.GetIniKey(section, key);
    if (!k)
        return def;
    const std::string usingDefault = "using " + Number(def);
    if (k->kind != 1) {
        Refuse(section, key, *k, NotANumber(*k), why ? instead : usingDefault);
        return why ? fallback : def;
    }
    const double v = k->number;
    // Written as positive tests, and before any conversion: converting a
    // double outside int's range is undefined.
    if (!(v > static_cast<double>(INT_MIN) - 1.0 && v < static_cast<double>(INT_MAX) + 1.0)) {
        if (why) {
            Refuse(section, key, *k, why, instead);
            return fallback;
        }
        Refuse(section, key, *k, "is beyond the range of a whole-number setting (about ±2.1e9)",
               usingDefault);
        return def;
    }
    const int whole = static_cast<int>(v);
    if (whole < low || whole > high) {
        Refuse(section, key, *k, why, instead);
        return fallback;
    }
    if (static_cast<double>(whole) != v)
        Refuse(section, key, *k, "is not a whole number", "using " + Number(whole));
    return whole;
}

float CSettingReader::Float(const char* section, const char* key, double def, double low,
                            double high, const char* why)
{
    const CIniKey* k = ini.GetIniKey(section, key);
    if (!k)
        return static_cast<float>(def);
    const std::string usingDefault = "using " + Number(def);
    if (k->kind != 1) {
        Refuse(section, key, *k, NotANumber(*k), usingDefault);
        return static_cast<float>(def);
    }
    const double v = k->number;
    // Past float's range a value would become an infinity (and narrowing it is
    // undefined behaviour).
    const double most = static_cast<double>(std::numeric_limits<float>::max());
    if (!(std::fabs(v) <= most)) {
        Refuse(section, key, *k, "is beyond the range of a decimal setting (about ±3.4e38)",
               usingDefault);
        return static_cast<float>(def);
    }
    if (why && !(v >= low && v <= high)) {
        Refuse(section, key, *k, why, usingDefault);
        return static_cast<float>(def);
    }
    return static_cast<float>(v);
}
