// One interface for the whole window: the image inside it is the face itself, not a second
// object to visit, so the window has no accessible children.
#include "ui/clock_accessible.h"

#include <QAccessibleWidget>

#include "ui/clock_window.h"

namespace dorvalen {

namespace {

class ClockAccessible : public QAccessibleWidget {
public:
    explicit ClockAccessible(ClockWindow* window) : QAccessibleWidget(window, QAccessible::Clock) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name: return widget()->windowTitle();
            case QAccessible::Description:
                return static_cast<const ClockWindow*>(widget())->spokenFace();
            default: return QAccessibleWidget::text(kind);
        }
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

QAccessibleInterface* clockInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(ClockWindow::staticMetaObject.className())) return nullptr;
    auto* window = qobject_cast<ClockWindow*>(object);
    return window != nullptr ? new ClockAccessible(window) : nullptr;
}

}  // namespace

void installClockAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(clockInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace dorvalen
