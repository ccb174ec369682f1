// Always-on-top through the window's stacking hint. The hint is handed to the live native
// window instead of re-creating it, so the window neither blinks nor moves.
#include "ui/window_glue.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace dorvalen {

void applyAlwaysOnTop(QWidget* window, bool on) {
    if (window == nullptr) return;
    const Qt::WindowFlags flags = window->windowFlags();
    const Qt::WindowFlags wanted = on ? flags | Qt::WindowStaysOnTopHint
                                      : flags & ~Qt::WindowStaysOnTopHint;
    if (wanted == flags) return;
    // overrideWindowFlags keeps the widget from hiding and re-creating its native window
    // (which setWindowFlags would do); the native window learns the change from setFlags.
    // X11 window managers then raise or release the window at once. On Wayland no client
    // may keep itself above others: the compositor ignores the hint, the setting stays as
    // the user chose it (see desktopKeepsOnTop).
    window->overrideWindowFlags(wanted);
    if (QWindow* native = window->windowHandle()) native->setFlags(wanted);
}

bool desktopKeepsOnTop() {
    // "wayland" and "wayland-egl" are Qt's two names for its Wayland plugin.
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

}  // namespace dorvalen
