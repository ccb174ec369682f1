// Start-up: state first, then the platform, then the window; nothing is saved at exit.
// The constant tables are compiled in (rota/rota_tables.h, astro/term_tables.h), so there is nothing to fill.
#include <QApplication>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/clock_state.h"
#include "ui/application_setup.h"
#include "ui/clock_window.h"
#include "core/wall_clock.h"

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Without a display there is no clock to show: one line says so and the exit code is not
// 0. Qt itself would print several lines and abort with a core dump.
[[noreturn]] void endWithoutDisplay(const std::string& reason) {
    std::fprintf(stderr, "dorvalen: %s\n", reason.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

// The display variables that are set, as NAME=value, for the message.
std::string displaySettings() {
    std::string text;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        if (!isSet(name)) continue;
        text += (text.empty() ? "" : ", ") + std::string(name) + "=" + std::getenv(name);
    }
    return text;
}

// Qt's messages while the application object starts are held back: when the display cannot
// be opened, Qt ends with a fatal message (and an abort); then only our line is printed.
std::vector<QString> startMessages;

// Qt's own reason, on the one line: the first line of each message it gave before giving
// up (such as the platform plugin it could not find), else of the fatal message itself.
std::string qtReason(const QString& fatalText) {
    QStringList reasons;
    for (const QString& message : startMessages) reasons << message.section(u'\n', 0, 0);
    if (reasons.isEmpty()) reasons << fatalText.section(u'\n', 0, 0);
    return reasons.join(QStringLiteral("; ")).simplified().toStdString();
}

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        endWithoutDisplay("Die grafische Anzeige lässt sich nicht öffnen (" + displaySettings() +
                          "): " + qtReason(text));
    startMessages.push_back(qFormatLogMessage(type, context, text));
}

}  // namespace

int main(int argc, char** argv) {
    // The clock's frames and Qt's window buffers change size with every resize. glibc would
    // raise its mmap threshold once the first of them is freed and put the later ones into
    // the heap, whose holes it keeps: the clock held megabytes it no longer used. With the
    // threshold fixed, large blocks are mapped on their own and go back when freed.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif

    // A platform named in QT_QPA_PLATFORM may need no display variable (offscreen, eglfs).
    if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        endWithoutDisplay("Keine grafische Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.");

    // Between minutes a tick sends a few kilobytes. Shared-memory images would add a
    // completion event from the X server for each, and a wake-up of two threads with it
    // (3.7 wake-ups a second instead of 1.2). Without them Qt copies an update narrower than
    // the window into a buffer that never shrinks; the clock sends a larger update as the whole
    // window (ClockImageView), so that buffer stays within 256 kB whatever the window's size.
    if (!isSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");

    dorvalen::ClockState state;
    qInstallMessageHandler(holdStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString& message : startMessages)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    startMessages.clear();

    // The window class (X11) is the application name, which the desktop entry's
    // StartupWMClass names; Wayland matches the entry by the desktop file name.
    QApplication::setApplicationName(QStringLiteral("Dorvalen"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dorvalen.Dorvalen"));
    QApplication::setWindowIcon(dorvalen::applicationIcon());
    // Before any widget: a widget takes its texts when it is built.
    QTranslator qtTexts;
    dorvalen::installQtGermanTexts(qtTexts);
    const dorvalen::SystemWallClock clock;
    return dorvalen::runClockWindow(state, clock);
}
