// X errors: a lost window or display ends the game through its normal close, with one line.
#pragma once

// Before SDL opens the display: SDL's own protocol error handler passes on the
// errors it does not excuse (video mode and DGA ones) to the handler it found,
// which is then this one instead of Xlib's, which printed a raw report and
// exited on the spot, skipping the close (sound, gamma ramp).
void CatchXErrors();
// Once the window is open: the loss of the connection (the server gone, the
// window's client killed from outside) is noted instead of ending the process
// inside Xlib. Replaces SDL's handler for it, which would clear SDL's display
// pointer and leave its next event poll to dereference null.
void CatchXDisconnect();

// True once an X request failed or the connection was lost: the frame loop
// then ends, the game closes as usual and exits with status 1. The first such
// event has been said on standard error, in one line; later ones are not.
bool XDisplayLost();

// One try at holding the pointer in the game's window, as SDL's grab does
// (confined to it), without SDL's waiting until it is free: false while
// another window holds it. True without X (nothing to hold).
bool GrabX11Pointer();
