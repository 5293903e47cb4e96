// ShowErrorBox: the modal fatal-error message, our stand-in for a desktop message box.
#pragma once

// Writes "caption: message" to standard error, then, when an X display can be
// opened, shows a modal window titled `caption` with an error icon, the message
// (wrapped) and an OK button. Returns once the user clicks OK, presses Enter or
// Escape, or closes the window, or a SIGTERM or SIGINT arrives (the box holds its
// own handlers for those while it runs and puts the previous ones back); at once
// when there is no display. SDL must be shut down first: it may hold the input.
void ShowErrorBox(const char* caption, const char* message);
