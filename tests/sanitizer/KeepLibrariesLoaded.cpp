// Sanitizer builds only: libraries are never unloaded, so LeakSanitizer can name the GL driver's allocations.
//
// The game shuts SDL down before it exits, and SDL and the GL library unload
// the driver then. LeakSanitizer checks after that, finds what the driver
// allocated for the life of the process with frames in code no longer mapped,
// and can neither name nor suppress them (tests/sanitizer/lsan.supp names
// libraries). Linked into the game's executable, this definition takes the
// place of the C library's for every library that calls it.
// Declared here rather than through <dlfcn.h>, whose declaration carries the C
// library's noexcept marking, which this definition could not match.
extern "C" int dlclose(void*);

extern "C" int dlclose(void*)
{
    return 0;
}
