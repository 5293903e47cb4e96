// CShotReplay: samples at a fixed interval of play, thinned when full; playback interpolates between them.
#include "play/ShotReplay.h"

#include <algorithm>
#include <cmath>

void CShotReplay::Add(const Ball* balls)
{
    if (static_cast<int>(samples.size()) >= ReplayMaxSamples) {
        // Keep every other sample: the same shot at half the time resolution.
        size_t kept = 0;
        for (size_t i = 0; i < samples.size(); i += 2)
            samples[kept++] = samples[i];
        samples.resize(kept);
        interval *= 2.0f;
    }
    Sample s;
    s.time = clock;
    for (int k = 0; k < BallSlots; ++k) {
        s.position[k] = balls[k].position;
        s.rotation[k] = balls[k].rotation;
    }
    samples.push_back(s);
    lastSample = clock;
}

void CShotReplay::Begin(const Ball* balls)
{
    samples.clear();
    samples.reserve(256);
    interval = ReplaySampleSeconds;
    clock = 0.0f;
    playing = false;
    recording = true;
    Add(balls);
}

void CShotReplay::Record(const Ball* balls, float dt)
{
    // A frame time that is no time, or that would carry the clock past float's
    // range (an infinity, a stall of 1e38 s), is no frame of play: an infinite
    // sample time would make the playback's interpolation NaN.
    if (!recording || !(dt > 0.0f) || !std::isfinite(clock + dt))
        return;
    clock += dt;
    if (clock - lastSample >= interval - 1e-6f)
        Add(balls);
}

void CShotReplay::End(const Ball* balls)
{
    if (!recording)
        return;
    if (clock > lastSample) {
        Add(balls);
    } else {
        // A sample was just taken at this moment: the resting table replaces it.
        Sample& s = samples.back();
        for (int k = 0; k < BallSlots; ++k) {
            s.position[k] = balls[k].position;
            s.rotation[k] = balls[k].rotation;
        }
    }
    recording = false;
}

void CShotReplay::Clear()
{
    samples.clear();
    recording = false;
    playing = false;
}

bool CShotReplay::Play(float speed)
{
    if (!Ready() || !(speed > 0.0f))
        return false;
    playing = true;
    playClock = 0.0f;
    playSpeed = speed;
    return true;
}

// Between samples a and b: positions along the straight line, rotations
// likewise unless the angle wrapped round 2π between them (then the earlier).
void CShotReplay::Write(float t, Ball* out) const
{
    const auto later = std::upper_bound(samples.begin(), samples.end(), t,
                                        [](float time, const Sample& s) { return time < s.time; });
    const size_t b = std::min(static_cast<size_t>(later - samples.begin()), samples.size() - 1);
    const size_t a = b > 0 ? b - 1 : 0;
    const Sample& sa = samples[a];
    const Sample& sb = samples[b];
    const float span = sb.time - sa.time;
    const float f = span > 0.0f ? std::clamp((t - sa.time) / span, 0.0f, 1.0f) : 1.0f;
    for (int k = FirstBall; k <= LastBall; ++k) {
        out[k].position = sa.position[k] + f * (sb.position[k] - sa.position[k]);
        const vec3 turn = sb.rotation[k] - sa.rotation[k];
        out[k].rotation = Length(turn) < 1.0f ? sa.rotation[k] + f * turn : (f < 1.0f ? sa.rotation[k] : sb.rotation[k]);
    }
}

bool CShotReplay::Advance(float dt, Ball* out)
{
    if (!playing || samples.empty())
        return false;
    if (dt > 0.0f)
        playClock += dt * playSpeed;
    if (playClock >= Duration()) {
        Write(Duration(), out);
        playing = false;
        return false;
    }
    Write(playClock, out);
    return true;
}
