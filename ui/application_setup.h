// What the application object takes before the first window is built: Qt's own texts in
// German and the program's icon.
#pragma once

class QIcon;
class QTranslator;

namespace dorvalen {

// Loads Qt's German translation (qtbase_de, from Qt's translations folder) into
// `translator` and installs it, so the colour chooser, the message box buttons and the
// fields' context menus speak German with the rest of the program. False when the file is
// missing: those texts then stay English. The translator must outlive every window.
bool installQtGermanTexts(QTranslator& translator);

// The theme's icon org.dorvalen.Dorvalen, else the SVG built into the program: title bars
// and task bars show the clock face even where the icon is not installed.
QIcon applicationIcon();

}  // namespace dorvalen
