// Qt's German texts and the program icon, set on the application object in main.
#include "ui/application_setup.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace dorvalen {

bool installQtGermanTexts(QTranslator& translator) {
    // The German of the program's own texts does not depend on the desktop's language, so
    // Qt's texts are German as well, not those of the locale.
    if (!translator.load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

QIcon applicationIcon() {
    return QIcon::fromTheme(QStringLiteral("org.dorvalen.Dorvalen"),
                            QIcon(QStringLiteral(":/icons/org.dorvalen.Dorvalen.svg")));
}

}  // namespace dorvalen
