// The Qt side of a Font, shared by fonts.cpp and the canvas's text drawing only.
#pragma once

#include <QFont>

#include "canvas/canvas.h"

namespace dorvalen {

struct Font::Impl {
    QFont font;
};

// The font text is measured and drawn with: the given one when valid, else Qt's default
// application font, both without anti-aliasing. Needs a Qt GUI application.
QFont effectiveFont(const Font* font);

// True when a QGuiApplication exists; without one there are no fonts and no text.
bool fontsAvailable();

}  // namespace dorvalen
