// Cost of one game frame at the configured window size, whole and stage by stage (physics, objects by kind, room, overlays, swap).
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>

#include "app/Game.h"
#include "app/HeapTuning.h"
#include "app/TableScreen.h"
#include "scene/Ball.h"
#include "tools/assetview/FrameCapture.h"

namespace {

// The frame time the physics is handed; its cost does not depend on it.
const float FrameSeconds = 1.0f / 150.0f;

// BAIZELINE_BENCH_SIZE=WxH over game.cfg's window size; false for text that is no size.
bool BenchSize(int& width, int& height)
{
    const char* text = getenv("BAIZELINE_BENCH_SIZE");
    if (!text || !*text)
        return true;
    int w = 0, h = 0;
    char tail = 0;
    if (sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 16 || h < 16 || w > 16384 || h > 16384) {
        fprintf(stderr, "frame_bench: BAIZELINE_BENCH_SIZE=%s is not WIDTHxHEIGHT\n", text);
        return false;
    }
    width = w;
    height = h;
    return true;
}

// BAIZELINE_BENCH_MODE: 0 to 3 a game mode as game.cfg's [Game] Mode, "menu"
// the menu over the free table; unset the free table as game.cfg starts it.
// -1 when the text is none of those.
int BenchMode(bool& menu)
{
    const char* text = getenv("BAIZELINE_BENCH_MODE");
    menu = text && strcmp(text, "menu") == 0;
    if (!text || !*text || menu)
        return 0;
    char* end = nullptr;
    const long m = strtol(text, &end, 10);
    if (*end != '\0' || m < ModeFreeTable || m >= ModeCount) {
        fprintf(stderr, "frame_bench: BAIZELINE_BENCH_MODE=%s is not 0 to 3 or menu\n", text);
        return -1;
    }
    return static_cast<int>(m);
}

// The game as the entry sets it up, from the run directory's game.cfg and data/,
// then the mode and window size the environment asks for.
bool StartGame()
{
    static bool started = false;
    if (started)
        return true;
    if (chdir(BAIZELINE_RUN_DIR) != 0) {
        fprintf(stderr, "frame_bench: cannot enter %s\n", BAIZELINE_RUN_DIR);
        return false;
    }
    KeepFreedHeap();
    bool menu = false;
    const int mode = BenchMode(menu);
    if (mode < 0)
        return false;
    try {
        Game.ReadIni();
        if (!BenchSize(Game.width, Game.height))
            return false;
        Game.Create();
        Game.LoadData();
        Game.LoadLevel();
        if (mode != ModeFreeTable)
            Game.StartMode(mode);
        if (menu)
            Game.OpenMenu();
        // BAIZELINE_BENCH_MIPMAPS=0: the play modes as they drew before mipmaps,
        // to time what mipmapping saves.
        if (const char* mip = getenv("BAIZELINE_BENCH_MIPMAPS"))
            Game.textures.UseMipmaps(strcmp(mip, "0") != 0);
    } catch (const std::exception& e) {
        fprintf(stderr, "frame_bench: %s\n", e.what());
        return false;
    }
    // The first frames compile the models' display lists.
    for (int i = 0; i < 3; ++i) {
        Game.Move(FrameSeconds);
        Game.Draw();
        Game.FlipScreen();
    }
    started = true;
    return true;
}

// The frame the game's loop makes, without its wait for the millisecond tick.
void GameFrame(benchmark::State& state)
{
    if (!StartGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        Game.Move(FrameSeconds);
        Game.Draw();
        Game.FlipScreen();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

using Clock = std::chrono::steady_clock;

// The same frame with glFinish after each stage, so that the renderer's
// deferred work is charged to the stage that caused it. The sum is above
// GameFrame's time by the cost of the extra synchronisation.
void GameFrameStages(benchmark::State& state)
{
    if (!StartGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    static const char* const kinds[] = {"balls", "cue", "pockets", "table", "room", "models"};
    std::map<std::string, double> seconds;
    for (auto _ : state) {
        Clock::time_point t = Clock::now();
        auto charge = [&](const char* stage) {
            glFinish();
            const Clock::time_point now = Clock::now();
            seconds[stage] += std::chrono::duration<double>(now - t).count();
            t = now;
        };
        Game.Move(FrameSeconds);
        charge("physics");
        // Draw's steps in its order. The scene light it sets is the same every
        // frame and is still set from the frames before (a few GL calls).
        CGame::ClearFrame();
        charge("clear");
        // Objects of one kind are neighbours in the list.
        int kind = -1;
        const DrawContext context = Game.SceneContext();
        for (CObject* object : Game.objects.items) {
            if (object->type != kind && kind >= 0)
                charge(kinds[kind]);
            kind = object->type;
            object->Draw(context);
        }
        if (kind >= 0)
            charge(kinds[kind]);
        Game.scenery.DrawAll(context);
        charge("room");
        // The menu's panel over the scene; the play modes' guide and HUD; the free table's rate.
        if (Game.MenuShown())
            Game.Draw(); // the whole frame again: the menu has no parts of its own to time
        else if (Game.mode != ModeFreeTable)
            Game.TableScreen().DrawOverlays();
        else
            Game.ShowStatus();
        charge(Game.MenuShown() ? "menu_frame" : "overlays");
        Game.FlipScreen();
        charge("swap");
    }
    for (const auto& s : seconds)
        state.counters[s.first + "_ms"] =
            benchmark::Counter(1e3 * s.second / double(state.iterations()));
}

// One frame as binary PPM, top row first, with the balls turned the same way
// every time (the game turns them at random) and the frame-rate text fixed:
// two builds that draw alike write the same bytes.
bool WriteShot(const char* path)
{
    if (!StartGame())
        return false;
    int k = 0;
    for (CObject* object : Game.objects.items)
        if (object->type == ObjectBall) {
            CBall* b = static_cast<CBall*>(object);
            b->rotation = vec3(float(k * 37 % 360), float(k * 71 % 360), float(k * 13 % 360));
            ++k;
        }
    Game.fps.average = 0.0f;
    Game.Draw();
    const Image frame = CaptureFrame(Game.width, Game.height);
    FILE* f = fopen(path, "wb");
    if (!f)
        return false;
    fprintf(f, "P6\n%d %d\n255\n", frame.width, frame.height);
    const bool written = fwrite(frame.rgb.data(), 1, frame.rgb.size(), f) == frame.rgb.size();
    return fclose(f) == 0 && written;
}

} // namespace

BENCHMARK(GameFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(GameFrameStages)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// BAIZELINE_SHOT=FILE.ppm writes one frame instead of timing.
int main(int argc, char** argv)
{
    if (const char* shot = getenv("BAIZELINE_SHOT"))
        return WriteShot(shot) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
