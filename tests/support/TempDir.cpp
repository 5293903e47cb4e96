// Test support: scratch directories and scoped working-directory changes.
#include "tests/support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <filesystem>

CTempDir::CTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "baizeline-XXXXXX").string();
    if (!mkdtemp(&pattern[0]))
        throw std::runtime_error("mkdtemp failed");
    path = pattern;
}

CTempDir::~CTempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string CTempDir::Write(const std::string& name, const std::string& text) const
{
    const std::string full = path + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + full);
    return full;
}

CWorkingDir::CWorkingDir(const std::string& dir)
{
    previous = std::filesystem::current_path().string();
    std::filesystem::current_path(dir);
}

CWorkingDir::~CWorkingDir()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}
