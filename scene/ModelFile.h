// Reading a 3DS file into lib3ds only after the file has passed our own checks.
#pragma once

#include <string>

struct Lib3dsFile;

// Reads `fileName` whole, checks its chunk tree (Check3dsChunks), lets lib3ds
// parse those same bytes from memory and checks the result (Check3dsModel).
// Answers the model, which the caller frees with lib3ds_file_free, or null with
// the reason in `why` (may be null) when the file is missing, unreadable or
// fails a check. Pure: no GL, no output.
Lib3dsFile* Read3dsFile(const char* fileName, std::string* why);
