// Controls: the inputs of every mode, listed once for the keys and the help alike.
#include "app/Controls.h"

namespace {

constexpr SDLKey None = SDLK_UNKNOWN;

// Plain ASCII: the overlay font has character codes 0 to 127 only. One
// control a line reads as the table it is.
// clang-format off
const std::vector<Control> Table = {
    // The free table's shot, as the README gives it.
    {"Mouse, no button", "turn the camera around the cue ball's starting place (orbit mode)", OnFreeTable, {None}, Action::None},
    {"Right button held, mouse up/down", "zoom in and out", OnFreeTable, {None}, Action::None},
    {"Left button held", "aim: the camera freezes and the cue comes up behind the cue ball", OnFreeTable, {None}, Action::None},
    {"Left button held, mouse down/up", "draw the cue back (more power) or forward (less); power 2 to 15", OnFreeTable, {None}, Action::None},
    {"Left button released", "strike: the cue ball leaves in the camera's heading at ten times the power", OnFreeTable, {None}, Action::None},
    // The play modes' shot: the camera orbits the cue ball, aims can be called off, the strike point carries spin.
    {"Mouse, no button", "turn the aim and the camera around the cue ball; Shift held: fine aim", OnPlay, {None}, Action::None},
    {"Right button held, mouse up/down", "zoom in and out", OnPlay, {None}, Action::None},
    {"Left button held", "aim: the camera freezes and the cue comes up behind the cue ball", OnPlay, {None}, Action::None},
    {"Left button held, mouse down/up", "draw the cue back (harder, 0.3 to 7.5 m/s) or forward (softer)", OnPlay, {None}, Action::None},
    {"Left button released", "strike, once every ball rests", OnPlay, {None}, Action::None},
    {"C, or the middle button", "call off the aim without striking", OnPlay, {SDLK_c}, Action::CancelAim},
    {"Up / Down arrow, keypad 8 / 2", "strike higher (follow) or lower (draw), a tenth of a radius a press", OnPlay, {SDLK_UP, SDLK_KP8}, Action::StrikeUp, false, true},
    {"", "", OnPlay, {SDLK_DOWN, SDLK_KP2}, Action::StrikeDown, false, true},
    {"Left / Right arrow, keypad 4 / 6", "strike left or right of centre (side spin)", OnPlay, {SDLK_LEFT, SDLK_KP4}, Action::StrikeLeft, false, true},
    {"", "", OnPlay, {SDLK_RIGHT, SDLK_KP6}, Action::StrikeRight, false, true},
    {"Home, or keypad 5", "strike the centre again", OnPlay, {SDLK_HOME, SDLK_KP5}, Action::StrikeCentre},
    {"Mouse, then left click", "cue ball in hand after a scratch: move it on the cloth, click to set it down", OnPractice, {None}, Action::None},
    {"Mouse, then left click", "ball in hand after a foul: move the cue ball anywhere, click to set it down", OnRules, {None}, Action::None},
    {"O", "opponent: a friend, then the computer easy, medium, hard; a new rack", OnRules, {SDLK_o}, Action::Opponent},
    {"T", "top view of the whole table, or back to the orbit", OnPlay, {SDLK_t}, Action::TopView},
    {"P", "replay the last shot (Shift+P: slower)", OnPlay, {SDLK_p}, Action::Replay},
    {"", "", OnPlay, {SDLK_p}, Action::ReplaySlow, true},
    {"Y / N", "yes or no: throw away the rack under way (after R, O, F2 to F5)", OnPlay, {SDLK_y}, Action::Confirm},
    {"", "", OnPlay, {SDLK_n}, Action::Decline},
    {"A", "show or hide the credits text", OnEvery, {SDLK_a}, Action::Credits},
    {"L", "lighting on or off", OnEvery, {SDLK_l}, Action::Lighting},
    {"Arrow keys, keypad + and -", "free camera only (CameraMode=1): move, turn, climb and sink", OnFreeTable, {None}, Action::None},
    {"R", "re-rack", OnEvery, {SDLK_r}, Action::Rerack},
    {"F1", "show or hide this help", OnEvery, {SDLK_F1}, Action::Help},
    {"F2 / F3", "free table / practice", OnEvery, {SDLK_F2}, Action::FreeTable},
    {"", "", OnEvery, {SDLK_F3}, Action::Practice},
    {"F4 / F5", "8-ball / 9-ball", OnEvery, {SDLK_F4}, Action::EightBall},
    {"", "", OnEvery, {SDLK_F5}, Action::NineBall},
    {"M", "the menu: every game, the opponent, network, the guide, the volume, quit", OnFreeTable, {SDLK_m}, Action::Menu},
    {"M, or Escape", "the menu: resume, games, opponent, network (or Leave), guide, volume, quit", OnPlay, {SDLK_m, SDLK_ESCAPE}, Action::Menu},
    {"Escape, or closing the window", "quit", OnFreeTable, {SDLK_ESCAPE}, Action::Quit},
    {"Closing the window", "quit", OnPlay, {None}, Action::None},
};
// clang-format on

} // namespace

unsigned ModeBit(int mode)
{
    return mode >= 1 && mode <= 3 ? 1u << mode : OnFreeTable;
}

const std::vector<Control>& Controls()
{
    return Table;
}

Action KeyAction(SDLKey key, bool shift, int mode, bool* arrow)
{
    const unsigned bit = ModeBit(mode);
    Action plain = Action::None;
    for (const Control& c : Table) {
        if (!(c.modes & bit))
            continue;
        for (SDLKey k : c.key) {
            if (k == None || k != key)
                continue;
            if (c.shift && shift) {
                if (arrow)
                    *arrow = c.arrows;
                return c.action;
            }
            if (!c.shift && plain == Action::None) {
                plain = c.action;
                if (arrow)
                    *arrow = c.arrows;
            }
        }
    }
    return plain;
}
