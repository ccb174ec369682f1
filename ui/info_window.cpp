// The help window: one read-only text field with the help text, lines kept as they are
// (no wrapping; both scroll bars), on the clock face's background colour.
#include "ui/info_window.h"

#include <QDialog>
#include <QPalette>
#include <QTextEdit>

#include "settings/help_text.h"
#include "ui/window_glue.h"
#include "ui/window_loop.h"

namespace dorvalen {

void showInfoWindow(QWidget* owner, int cw, int lh) {
    // A tool window: narrow title bar with only a close button, no task-bar entry.
    QDialog window(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setObjectName(QStringLiteral("infoWindow"));
    // A title of its own: under the dialog's title the two windows could not be told apart.
    window.setWindowTitle(QStringLiteral("Hilfe zu Dorvalen"));
    window.setFixedSize(70 * cw, 34 * lh);

    auto* text = new QTextEdit(&window);
    text->setObjectName(QStringLiteral("helpText"));
    text->setGeometry(cw, lh, 68 * cw, 32 * lh);
    text->setReadOnly(true);  // select, scroll and copy, but never change
    text->setLineWrapMode(QTextEdit::NoWrap);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only the text area takes the face's colour. A palette of its own on the scroll bars
    // too would be a new palette at every opening, and the style caches its scroll bar
    // pixmaps per palette: every opening would leave some kilobytes of dead pixmaps behind.
    QWidget* area = text->viewport();
    QPalette palette = area->palette();
    palette.setColor(QPalette::Base, QColor(236, 233, 216));
    area->setPalette(palette);
    text->setPlainText(QString::fromStdString(helpText("\n", desktopKeepsOnTop())));

    // Esc and the close button end the loop through reject(). Esc or Close in the settings
    // dialog or the clock window end only this window too; the dialog below stays open.
    runWindowLoop(window);
}

}  // namespace dorvalen
