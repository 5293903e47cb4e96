// CFingerprint: one number for a run of the table game: every ball every step, every event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "physics/PlayTable.h"

// FNV-1a over bytes. Two runs with the same fingerprint put every ball on the
// same bits after every step and logged the same lines: the simulator prints
// it so that runs at other frame rates, or builds at other commits, can be
// compared without writing every position out.
class CFingerprint {
public:
    void Mix(const void* data, size_t size)
    {
        const unsigned char* b = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            hash ^= b[i];
            hash *= 1099511628211ull;
        }
    }
    // Entries 1 to 16 of `balls`, every field.
    void MixBalls(const Ball* balls)
    {
        Mix(balls + FirstBall, sizeof(Ball) * (LastBall - FirstBall + 1));
    }
    void MixLine(const std::string& line) { Mix(line.c_str(), line.size() + 1); }
    std::uint64_t Value() const { return hash; }

private:
    std::uint64_t hash = 1469598103934665603ull;
};
