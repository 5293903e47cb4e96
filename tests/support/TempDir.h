// Test support: a scratch directory, removed with everything in it at scope exit.
#pragma once

#include <string>

class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return path; }
    // Writes `text` to Path()/name and answers the full path.
    std::string Write(const std::string& name, const std::string& text) const;

private:
    std::string path;
};

// Changes the working directory for a scope and changes it back.
class CWorkingDir {
public:
    explicit CWorkingDir(const std::string& dir);
    ~CWorkingDir();
    CWorkingDir(const CWorkingDir&) = delete;
    CWorkingDir& operator=(const CWorkingDir&) = delete;

private:
    std::string previous;
};
