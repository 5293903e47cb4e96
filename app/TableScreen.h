// CTableScreen: the play modes' screen: input into shot commands, the game's events and snapshot.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/Screen.h"
#include "game/TableGame.h"
#include "net/NetSession.h"
#include "physics/CueStrike.h"
#include "play/AimGuide.h"

class CGame;

// The shell's scene objects (the cue, the balls), camera, mouse, font and
// sound are the screen's to use while it is on show; the table game is its own.
class CTableScreen : public CScreen {
public:
    // `seed` shuffles the racks and steadies the computer's hand.
    CTableScreen(CGame& shell, unsigned seed);

    // A new game of `mode` (1 practice, 2 8-ball, 3 9-ball) against the
    // shell's chosen opponent, with its chosen aiming guide.
    void Start(int mode);
    // The shell's guide choice changed (the menu): shown from the next frame.
    void GuideChanged();

    // R, O and a change of game (F2 to F5) in the middle of a rack wait for
    // a Y: true when `action` now waits (the question is on show), false when
    // it may go ahead at once.
    bool AskFirst(Action action);
    // The question waiting for Y or N, or null.
    const char* Question() const;
    // A shot of this rack has been played and the rack is not over: leaving it
    // throws it away.
    bool RackUnderWay() const;
    // Network play: host `mode` on UDP `port`, or join a host; the table is
    // then played through the session (R, O and the modes are off). False,
    // with `error`, when the socket or the name cannot be had.
    bool Host(std::uint16_t port, int mode, std::string& error);
    bool Join(const std::string& host, std::uint16_t port, std::string& error);
    // The network game ends for both (the other side is told); the table stays.
    void LeaveNetwork();
    // A network game is on and not over: the modes and the opponent are locked.
    bool NetworkOn() const;
    const CNetSession* Net() const { return net.get(); }

    void Act(Action action) override;
    void Button(int button, bool down) override;
    void Update(float dt) override;
    void Draw() override;
    // What Draw puts over the scene: the aim guide, the frame rate and the HUD.
    void DrawOverlays();

    const CTableGame& Game() const { return game; }
    int AimGuide() const { return aimGuide; }
    // The computer stops thinking (the game is closing).
    void Stop() { game.StopComputer(); }
    // Frames while the guide worked, and the guide's share of them (timing runs).
    void ReportGuideTiming() const;

private:
    void Answer(bool yes);
    void ChangeOpponent();
    // The side to play is the player at this machine and may act now.
    bool MayPlay() const;
    void NetworkFrame(float dt);
    void ControlShot();
    void Strike();
    void CancelAim();
    void ToggleTopView();
    void NudgeStrike(Action action);
    void TakeEvents();
    void OnRacked();
    void PaceThinking(float dt);
    void MoveCamera(float dt);
    void PoseCue();
    void UpdateGuide();
    void DrawGuide() const;

    CGame& shell;
    CTableGame game;
    unsigned seed;
    std::unique_ptr<CNetSession> net; // while a network game is on (or just over)
    bool grabWaitLogged = false;      // said once that another window holds the pointer
    std::string listenAddresses;      // the host's addresses, as shown
    // The player's cue: drawn back (aiming) by `pull` (0 to 1, SpeedOfPull) along
    // `aimAngle` (rad, the camera's heading).
    bool aiming = false;
    float pull = 0.0f;
    float cueSpeed = 0.0f; // m/s the cue on show would strike at: the power bar's reading
    float aimAngle = 0.0f;
    StrikePoint strike;
    bool topView = false;
    Action pending = Action::None; // waits for Y or N
    bool replaySlow = false;       // the replay on show was asked for at a quarter speed
    // The left button: held since a cancel, a placement or a strike refused
    // while balls moved (it aims only after a release); pressed since the last frame.
    bool leftHeld = false;
    bool leftPressed = false;
    // The aiming guide.
    int aimGuide = AimGuideOff;
    CAimGuide guide;
    float guideKey[4] = {}; // the aim the guide last began from (heading, pull, side, top)
    double guideWorst = 0.0, guideTotal = 0.0;
    long guideFrames = 0, guideSlowFrames = 0;
};
