// The loop that the settings dialog and the help window run while they are open.
#pragma once

class QDialog;

namespace dorvalen {

// Shows `window` and runs its own event loop until it is done (accepted, rejected, done()).
// The window is not Qt-modal: Qt would silently drop the close button of every window
// below it. Instead, the windows that were open when it began take no input meanwhile:
// their keys, clicks and drops are discarded, while an Esc pressed in one of them (no Shift,
// Ctrl or Alt) and a Close of one of them reject `window`; that Close is consumed, so the
// window below stays open. Loops nest: the newest one decides first. Returns the result.
int runWindowLoop(QDialog& window);

}  // namespace dorvalen
