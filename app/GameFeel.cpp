// CGame's shot feel in the play modes: spin keys and the strike point diagram, sound, the aiming guide, F1's help, P's replay.
#include "app/Game.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/FrameClock.h"
#include "app/HelpText.h"
#include "app/StdoutLog.h"
#include "app/PixelOverlay.h"
#include "audio/SoundConfig.h"
#include "physics/SceneSync.h"
#include "physics/TableGeometry.h"
#include "play/PlayShot.h"
#include "scene/Cue.h"

namespace {

// The play shot's speed per unit of cue power, scene units/s (GamePlay.cpp's strike).
const float GuideSpeedPerPower = 10.0f;
// The guide's share of a frame of the game, seconds: it simulates whole
// frames of 1/60 s (25 passes over 16 balls, about 20 us each here) until
// this is spent, so a one-second prediction is ready a few frames after the
// aim settles, and the last one stays on show meanwhile.
const double GuideBudgetSeconds = 0.0005;

// The strike point diagram: centre and radius in window pixels, left of the power bar.
const float DiagramRight = 90.0f, DiagramY = 80.0f, DiagramRadius = 32.0f;

void Say(const char* format, double a = 0.0, double b = 0.0, double c = 0.0, double d = 0.0, double e = 0.0)
{
    LogLine(format, a, b, c, d, e);
}

// Scene point (metres in the physics' frame) as OpenGL takes it: scene units, axes (y, z, x).
void Vertex(const vec3& m)
{
    const vec3 s = m * SceneUnitsPerMetre;
    glVertex3f(s.y, s.z, s.x);
}

// A circle of radius `r` metres around `c` in the plane spanned by `u` and `v` (unit vectors).
void Circle(const vec3& c, float r, const vec3& u, const vec3& v)
{
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 32; ++i) {
        const float a = 6.2831855f * static_cast<float>(i) / 32.0f;
        Vertex(c + r * std::cos(a) * u + r * std::sin(a) * v);
    }
    glEnd();
}

void Line(const vec3& a, const vec3& b)
{
    glBegin(GL_LINES);
    Vertex(a);
    Vertex(b);
    glEnd();
}

// A line from `from` along `velocity` for the distance it would cover in
// `seconds`, at least a ball's diameter; nothing for a ball left still.
void Heading(const vec3& from, vec3 velocity, float seconds)
{
    velocity.z = 0.0f;
    const float speed = Length(velocity);
    if (!(speed > 1e-3f))
        return;
    const float reach = std::max(speed * seconds, 4.0f * BallRadius);
    Line(from, from + velocity * (reach / speed));
}

// A filled disc in window pixels.
void Disc(float x, float y, float r)
{
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(x, y);
    for (int i = 0; i <= 32; ++i) {
        const float a = 6.2831855f * static_cast<float>(i) / 32.0f;
        glVertex2f(x + r * std::cos(a), y + r * std::sin(a));
    }
    glEnd();
}

// The help pane: left edge, line spacing and the overlay font's advance, pixels.
const float HelpLeft = 40.0f, HelpRowPixels = 14.0f, HelpCharWidth = 8.5f;

// Characters of the longest input name of `mode`'s help.
size_t HelpKeyColumn(int mode)
{
    size_t column = 0;
    for (const HelpLine& l : HelpLines(mode))
        column = std::max(column, std::strlen(l.keys));
    return column;
}

// HelpLines(mode) as rows of the pane: an effect too long for the room
// right of the key column goes on under it, split between words.
void HelpRows(int mode, int width, std::vector<std::string>& keys, std::vector<std::string>& effects)
{
    const float room = static_cast<float>(width) - 2.0f * HelpLeft - HelpCharWidth * (HelpKeyColumn(mode) + 2);
    const size_t fit = static_cast<size_t>(std::max(20.0f, room / HelpCharWidth));
    for (const HelpLine& l : HelpLines(mode)) {
        std::string rest = l.effect;
        std::string key = l.keys;
        while (!rest.empty()) {
            size_t cut = rest.size();
            if (cut > fit) {
                cut = rest.rfind(' ', fit);
                if (cut == std::string::npos || cut == 0)
                    cut = fit;
            }
            keys.push_back(key);
            effects.push_back(rest.substr(0, cut));
            key.clear();
            rest.erase(0, cut);
            while (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
        }
    }
}

} // namespace

void CGame::FeelKeyDown(SDLKey key)
{
    if (key == SDLK_F1) {
        showHelp = !showHelp;
        Say(showHelp ? "help shown\n" : "help hidden\n");
        return;
    }
    if (mode == ModeFreeTable)
        return;
    if (key == SDLK_p) {
        const bool slow = (SDL_GetModState() & KMOD_SHIFT) != 0;
        const bool aiming = cue && cue->state == CueAiming;
        if (replay.Playing() || aiming || play.phase == CPlaySession::Rolling)
            return;
        if (replay.Play(slow ? ReplaySlowSpeed : 1.0f))
            Say(slow ? "practice: replay (slow)\n" : "practice: replay\n");
        return;
    }
    // The spin keys move the strike point while the cue may be drawn back.
    if (play.phase != CPlaySession::Aim || replay.Playing())
        return;
    // The free camera steers with the arrows: there only the keypad sets spin.
    const bool arrows = camera.mode != CCamera::ModeFree;
    int side = 0, top = 0;
    switch (key) {
    case SDLK_UP: top = arrows; break;
    case SDLK_DOWN: top = -arrows; break;
    case SDLK_LEFT: side = -arrows; break;
    case SDLK_RIGHT: side = arrows; break;
    case SDLK_KP8: top = 1; break;
    case SDLK_KP2: top = -1; break;
    case SDLK_KP4: side = -1; break;
    case SDLK_KP6: side = 1; break;
    case SDLK_HOME:
    case SDLK_KP5:
        strike = StrikePoint();
        Say("practice: strike point side %.2f top %.2f\n", strike.side, strike.top);
        return;
    default:
        return;
    }
    if (side == 0 && top == 0)
        return;
    strike = NudgeStrikePoint(strike, side, top);
    Say("practice: strike point side %.2f top %.2f\n", strike.side, strike.top);
}

void CGame::ApplySoundMode()
{
    // The free table makes no sound, whatever the file says: its passes
    // report nothing, so an open device would only cost a thread.
    const float volume = mode == ModeFreeTable ? 0.0f : SoundVolume(mode, ini);
    if (!(volume > 0.0f)) {
        sound.Close();
        return;
    }
    if (sound.IsOpen()) {
        sound.SetVolume(volume);
        return;
    }
    if (soundRefused)
        return;
    if (sound.Open(volume))
        Say("sound on, volume %.2f\n", volume);
    else
        soundRefused = true; // CSound said why, once
}

void CGame::FeelRerack()
{
    replay.Clear();
    contactSounds.Reset();
    guide.Reset();
    strike = StrikePoint();
    aimGuide = AimGuideLevel(mode, match.opponent, aimGuideSetting);
    ApplySoundMode();
}

void CGame::OnStrike()
{
    Ball& b = ball[play.CueEntry()];
    b.angularVelocity = StrikeSpin(b.velocity, strike);
    const float speed = Length(b.velocity);
    sound.Play(SoundKind::CueStrike, speed);
    replay.Begin(ball);
    guide.Reset();
    const vec3& w = b.angularVelocity;
    Say("practice: strike speed %.3f side %.3f top %.3f", speed, strike.side, strike.top);
    Say(" spin %.3f %.3f %.3f velocity %.3f %.3f\n", w.x, w.y, w.z, b.velocity.x, b.velocity.y);
}

bool CGame::MoveFeelBefore(float dt)
{
    play.table.sink = sound.IsOpen() ? &contactSounds : nullptr;
    if (!replay.Playing())
        return false;
    fps.Add(1.0f / dt);
    frameTime = dt;
    if (cue)
        cue->state = CueHidden;
    // The scene shows the replay; the live balls stay as the shot left them:
    // they are put aside, the sample handed to the scene through them, and
    // put back, all within this frame.
    Ball live[BallSlots];
    std::copy(ball, ball + BallSlots, live);
    const bool more = replay.Advance(dt, ball);
    SetBallsCoords(&objects);
    std::copy(live, live + BallSlots, ball);
    if (!more) {
        SetBallsCoords(&objects);
        Say("practice: replay over\n");
    }
    // The view turns and zooms, but does not follow the replayed cue ball.
    camera.state = mouse.button == SDL_BUTTON_RIGHT ? CCamera::StateZoom : CCamera::StateRotate;
    if (topView || camera.mode == CCamera::ModeFree) {
        MovePlayCamera(dt);
    } else {
        camera.Move(mouse.dx, mouse.dy);
        camera.Update(true);
        aimAngle = camera.angle;
    }
    mouse.dx = 0;
    mouse.dy = 0;
    return true;
}

void CGame::MoveFeelAfter(bool wasRolling, float dt)
{
    if (wasRolling) {
        replay.Record(ball, dt);
        if (play.phase != CPlaySession::Rolling)
            replay.End(ball);
    }
    guideSeconds = 0.0;
    if (aimGuide == AimGuideOff || !cue || play.phase != CPlaySession::Aim) {
        guide.Reset();
        return;
    }
    const double t0 = MonotonicSeconds();
    const float power = cue->state == CueAiming ? cue->power : CueMinPower;
    const float key[4] = {aimAngle, power, strike.side, strike.top};
    const bool idle = !guide.Shown() && !guide.Busy();
    if (idle || std::memcmp(key, guideKey, sizeof key) != 0) {
        std::copy(key, key + 4, guideKey);
        const vec3 v = ShotVelocity(DegreesPerRadian * aimAngle, GuideSpeedPerPower * power);
        guide.Begin(ball, play.table, play.CueEntry(), v, StrikeSpin(v, strike), aimGuide);
    }
    while (guide.Busy() && MonotonicSeconds() - t0 < GuideBudgetSeconds)
        guide.Step(1);
    guideSeconds = MonotonicSeconds() - t0;
    guideWorst = std::max(guideWorst, guideSeconds);
    guideTotal += guideSeconds;
    ++guideFrames;
    guideSlowFrames += guideSeconds > 0.001;
}

void CGame::DrawAimGuide()
{
    const AimPrediction* p = guide.Shown();
    if (mode == ModeFreeTable || aimGuide == AimGuideOff || !p || play.phase != CPlaySession::Aim ||
        replay.Playing())
        return;
    const vec3 from = ball[play.CueEntry()].position;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST); // balls and rails hide the lines behind them
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity(); // the camera's view lives in GL_PROJECTION
    glLineWidth(1.5f);
    if (aimGuide >= AimGuidePaths) {
        glColor3f(0.55f, 0.55f, 0.7f);
        for (int k = FirstBall; k <= LastBall; ++k) {
            const std::vector<vec3>& path = p->path[k];
            if (path.size() < 2)
                continue;
            glBegin(GL_LINE_STRIP);
            for (const vec3& q : path)
                Vertex(q);
            glEnd();
        }
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    if (p->target < 0) {
        Line(from, p->cueStop);
    } else {
        Line(from, p->ghost);
        // The ghost: the cue ball where it meets the target, level and upright across the aim.
        vec3 along = p->ghost - from;
        along.z = 0.0f;
        const float len = Length(along);
        const vec3 ahead = len > 0.0f ? along / len : vec3(1.0f, 0.0f, 0.0f);
        const vec3 up(0.0f, 0.0f, 1.0f);
        Circle(p->ghost, BallRadius, ahead, Cross(up, ahead));
        Circle(p->ghost, BallRadius, Cross(up, ahead), up);
        glColor3f(1.0f, 0.9f, 0.2f);
        Heading(p->targetAt, p->targetAfter, 0.5f);
        glColor3f(0.5f, 0.85f, 1.0f);
        Heading(p->ghost, p->cueAfter, 0.5f);
    }
    glPopMatrix();
    glPopAttrib();
}

void CGame::ShowFeel()
{
    const bool strikeShown = mode != ModeFreeTable && play.phase == CPlaySession::Aim && !replay.Playing();
    if (!strikeShown && !showHelp)
        return;
    BeginPixelOverlay(width, height);
    if (strikeShown) {
        // The cue ball's face as the cue sees it: the limit ring, and the tip's point.
        const float cx = width - DiagramRight, cy = DiagramY;
        glColor3f(0.95f, 0.95f, 0.9f);
        Disc(cx, cy, DiagramRadius);
        glColor3f(0.6f, 0.6f, 0.6f);
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 32; ++i) {
            const float a = 6.2831855f * static_cast<float>(i) / 32.0f;
            glVertex2f(cx + MaxStrikeOffset * DiagramRadius * std::cos(a),
                       cy + MaxStrikeOffset * DiagramRadius * std::sin(a));
        }
        glEnd();
        glColor3f(0.85f, 0.1f, 0.1f);
        Disc(cx + strike.side * DiagramRadius, cy + strike.top * DiagramRadius, 4.0f);
    }
    // The help: keys in one column, what they do in the next, wrapped to the pane.
    std::vector<std::string> helpKeys, effects;
    if (showHelp)
        HelpRows(mode, width, helpKeys, effects);
    const int lines = static_cast<int>(helpKeys.size());
    const float top = height - 60.0f;
    if (showHelp) {
        // A dark pane under the text, so it reads over the cloth.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0.0f, 0.0f, 0.0f, 0.75f);
        glRectf(HelpLeft - 10.0f, top - HelpRowPixels * lines - 6.0f, width - HelpLeft + 10.0f, top + 18.0f);
        glDisable(GL_BLEND);
    }
    EndPixelOverlay();
    if (!showHelp)
        return;
    glColor3f(1.0f, 1.0f, 0.6f);
    font.Print(HelpLeft, top + 4.0f, "%s", HelpText(mode)[0].c_str());
    glColor3f(1.0f, 1.0f, 1.0f);
    const float column = HelpLeft + HelpCharWidth * (HelpKeyColumn(mode) + 2);
    for (int i = 0; i < lines; ++i) {
        const float y = top - HelpRowPixels * (i + 1) + 4.0f;
        if (!helpKeys[i].empty())
            font.Print(HelpLeft, y, "%s", helpKeys[i].c_str());
        font.Print(column, y, "%s", effects[i].c_str());
    }
}

void CGame::CloseFeel()
{
    sound.Close();
    if (guideFrames > 0 && getenv("BAIZELINE_FRAMES"))
        fprintf(stderr,
                "baizeline-timing: aim guide %.3f ms a frame on average, at most %.3f ms, %ld of %ld frames over 1 ms\n",
                1000.0 * guideTotal / static_cast<double>(guideFrames), 1000.0 * guideWorst, guideSlowFrames,
                guideFrames);
    guideFrames = 0; // Close runs twice (the entry's call and the destructor's): said once
}
