// Blocking by an application event filter. Window-system events reach a window's QWindow
// before its widgets, so the filter looks at both: the QWindow sees real keys, clicks and
// the close button before Qt moves the focus; the widgets see events sent to them directly.
#include "ui/window_loop.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace dorvalen {

namespace {

class OtherWindowsBlocked : public QObject {
public:
    explicit OtherWindowsBlocked(QDialog& window) : window_(window) {
        // A tooltip or a popup is no window of the program: it closes itself when another
        // window comes up, and that close is not the user's close button.
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other != &window && other->isVisible() && other->windowType() != Qt::ToolTip &&
                other->windowType() != Qt::Popup)
                blocked_.emplace_back(other);
        qApp->installEventFilter(this);
    }
    ~OtherWindowsBlocked() override { qApp->removeEventFilter(this); }
    OtherWindowsBlocked(const OtherWindowsBlocked&) = delete;
    OtherWindowsBlocked& operator=(const OtherWindowsBlocked&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The blocked top-level window that `watched` is, or belongs to; null for any other.
    QWidget* blockedWindowOf(const QObject* watched) const;

    QDialog& window_;
    std::vector<QPointer<QWidget>> blocked_;
};

QWidget* OtherWindowsBlocked::blockedWindowOf(const QObject* watched) const {
    const QWidget* widgetWindow =
        watched->isWidgetType() ? static_cast<const QWidget*>(watched)->window() : nullptr;
    for (const QPointer<QWidget>& blocked : blocked_) {
        if (blocked.isNull()) continue;
        if (widgetWindow == blocked || watched == blocked->windowHandle())
            return blocked;
    }
    return nullptr;
}

bool isInput(const QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::InputMethod: return true;  // these too put text into a field
        default: return event->isInputEvent();
    }
}

bool OtherWindowsBlocked::eventFilter(QObject* watched, QEvent* event) {
    const bool close = event->type() == QEvent::Close;
    if (!close && !isInput(event)) return false;  // timers, paints, resizes go on
    QWidget* blocked = blockedWindowOf(watched);
    if (blocked == nullptr) return false;
    if (close) {
        // A child widget's close() is not the window's close button.
        if (watched != blocked && watched != blocked->windowHandle()) return false;
        event->ignore();
        window_.reject();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool plain = !(key->modifiers() &
                             (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        if (key->key() == Qt::Key_Escape && plain) window_.reject();
    }
    // Taken as the blocked widget's own key, so no shortcut of its window fires either.
    if (event->type() == QEvent::ShortcutOverride) event->accept();
    return true;
}

}  // namespace

int runWindowLoop(QDialog& window) {
    const QPointer<QWidget> previouslyActive = QApplication::activeWindow();
    {
        QEventLoop loop;
        QObject::connect(&window, &QDialog::finished, &loop, &QEventLoop::quit);
        const OtherWindowsBlocked blocker(window);
        window.show();
        window.activateWindow();  // as a modal window would be: the keys go to it
        if (window.isVisible()) loop.exec(QEventLoop::DialogExec);
    }
    // The window below gets the keys back (with no window manager nobody else hands them on).
    if (previouslyActive && previouslyActive->isVisible()) previouslyActive->activateWindow();
    return window.result();
}

}  // namespace dorvalen
