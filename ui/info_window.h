// The help window behind the settings dialog's "Info" button.
#pragma once

class QWidget;

namespace dorvalen {

// Shows the help text in a fixed tool window of 70*cw x 34*lh pixels (the settings dialog's
// layout units) and returns when the user closes it: Esc or Close in it, or in any other
// window of the program, which take no other input meanwhile. The settings dialog below
// stays open and waits.
void showInfoWindow(QWidget* owner, int cw, int lh);

}  // namespace dorvalen
