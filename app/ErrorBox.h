// ShowErrorBox: the modal fatal-error message, our stand-in for a desktop message box.
#pragma once

// Writes "caption: message" to standard error, then, when an X display can be
// opened, shows a modal window titled `caption` with an error icon, the message
// (wrapped) and an OK button. Returns once the user clicks OK, presses Enter or
// Escape, or closes the window; at once when there is no display.
void ShowErrorBox(const char* caption, const char* message);
