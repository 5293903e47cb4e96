// Cost of making the four sounds at start-up and of one audio callback's mix with every voice busy.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/Mixer.h"
#include "audio/Sound.h"
#include "audio/Synth.h"

namespace {

void BM_SynthesiseBank(benchmark::State& state)
{
    for (auto _ : state) {
        SoundBank bank(DefaultSoundRate);
        benchmark::DoNotOptimize(bank.sound[0].samples.data());
    }
}
BENCHMARK(BM_SynthesiseBank)->Unit(benchmark::kMillisecond);

// One device callback (SoundBufferSamples, 23 ms of sound) with `voices` sounding: the
// longest sound is restarted whenever the mix frees it, so none runs dry.
void BM_MixCallback(benchmark::State& state)
{
    const SoundBank bank(DefaultSoundRate);
    CMixer mixer(bank);
    std::vector<int16_t> out(SoundBufferSamples);
    const int voices = static_cast<int>(state.range(0));
    for (auto _ : state) {
        while (mixer.ActiveVoices() < voices)
            mixer.Play(SoundKind::Pocket, 2.0f);
        mixer.Mix(out.data(), static_cast<int>(out.size()));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_MixCallback)->Arg(1)->Arg(MaxVoices)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
