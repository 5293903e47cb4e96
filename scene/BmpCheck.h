// CheckBmpHeader: what a BMP header claims, checked before SDL allocates or reads anything.
#pragma once

#include <cstddef>
#include <string>

// `header` holds the file's first bytes (up to 54 of them), `fileSize` its length.
// True when the header describes a picture SDL can read from a file of that
// length; otherwise false with a short reason in `why`.
bool CheckBmpHeader(const unsigned char* header, size_t headerSize, long fileSize,
                    std::string& why);

// True when the regular file at `path` starts with a BMP's "BM" signature.
// Call it on regular files only: reading a pipe would wait for a writer.
bool FileStartsLikeBmp(const char* path);
