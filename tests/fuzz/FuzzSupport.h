// Fuzz support: the GL window the drawing targets need and the scratch file each input goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Opens a small SDL OpenGL window on the X display, or exits naming `target`.
void OpenFuzzWindow(const char* target);

// A per-process scratch path ending in `suffix` (".bmp", ".3ds", ...).
std::string FuzzInputPath(const char* target, const char* suffix);

// Writes the input to `path`: the loaders under test read files. False on failure.
bool WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size);
