// Qt's own texts in German and the program icon, as main sets them up.
#include "ui/application_setup.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace dorvalen {
namespace {

// Texts that Qt itself puts into our windows: none may stay English once the translation
// is loaded (the widgets are built after it, as in main).
TEST(ApplicationSetup, QtsOwnTextsAreGerman) {
    QTranslator translator;
    ASSERT_TRUE(installQtGermanTexts(translator)) << "qtbase_de missing (qt6-translations-l10n)";
    QColorDialog chooser;
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList shown = {chooser.windowTitle()};
    for (const QPushButton* button : chooser.findChildren<QPushButton*>())
        shown << button->text();
    for (const QAction* action : menu->actions())
        if (!action->isSeparator()) shown << action->text().section(u'\t', 0, 0);  // no shortcut
    QCoreApplication::removeTranslator(&translator);
    for (const char* english : {"Select Color", "Cancel", "&Add to Custom Colors", "&Undo",
                                "&Copy", "Select All"})
        EXPECT_FALSE(shown.contains(QString::fromLatin1(english))) << english;
    EXPECT_TRUE(shown.contains(QStringLiteral("Abbrechen"))) << shown.join(u'|').toStdString();
}

// Without an installed theme icon the built-in SVG is drawn: a picture, not an empty icon.
TEST(ApplicationSetup, TheIconIsDrawnWithoutATheme) {
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage image = icon.pixmap(QSize(48, 48)).toImage();
    ASSERT_EQ(image.size(), QSize(48, 48));
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 48 * 48 / 4) << "the icon is almost empty";
}

}  // namespace
}  // namespace dorvalen
