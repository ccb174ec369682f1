// The clock window driven by real key and resize events on Qt's offscreen platform, in a
// temporary working directory so that no user settings file is read or written.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

#include "core/calendar.h"
#include "face/face_render.h"
#include "ui/clock_window.h"
#include "settings/settings_file.h"

namespace dorvalen {
namespace {

// Pixels of a screenshot whose RGB differs from the image's; -1 when the sizes differ.
int differingPixels(const QImage& shown, const Image& image) {
    if (shown.size() != QSize(image.width, image.height)) return -1;
    int wrong = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Colour c = image.pixel(x, y);
            if (shown.pixel(x, y) != qRgb(redOf(c), greenOf(c), blueOf(c))) ++wrong;
        }
    return wrong;
}

class ClockWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void TearDown() override { QDir::setCurrent(previousDir_); }

    static void press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&window, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QCoreApplication::sendEvent(&window, &up);
    }

    static void settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }

    static bool settingsFileExists() { return QFile::exists(QString(settingsFileName)); }

    QTemporaryDir dir_;
    QString previousDir_;
    PinnedWallClock clock_{{2024, 6, 12, 14, 30, 15}};
    ClockState state_;
};

TEST_F(ClockWindowTest, ArrowKeysClampAtThePolesAndTheDateLine) {
    ClockWindow window(state_, clock_);
    state_.settings.latitude = 89.8;
    press(window, Qt::Key_Up);
    EXPECT_EQ(state_.settings.latitude, 90.0);
    press(window, Qt::Key_Up);
    EXPECT_EQ(state_.settings.latitude, 90.0);
    state_.settings.latitude = -90.0;
    press(window, Qt::Key_Down);
    EXPECT_EQ(state_.settings.latitude, -90.0);
    state_.settings.longitude = 179.5;
    press(window, Qt::Key_Left);
    EXPECT_EQ(state_.settings.longitude, 180.0);
    state_.settings.longitude = -180.0;
    press(window, Qt::Key_Right);
    EXPECT_EQ(state_.settings.longitude, -180.0);
    EXPECT_TRUE(window.showCoordinates());
}

// A held key queues presses faster than frames can be drawn: every queued command is
// applied, then one frame is drawn, so the face stops when the key is released.
TEST_F(ClockWindowTest, QueuedCommandsAreAppliedThenDrawnOnce) {
    ClockWindow window(state_, clock_);
    const std::int64_t before = window.redrawCount();
    press(window, Qt::Key_Up);
    settle();
    EXPECT_EQ(window.redrawCount(), before + 1);
    for (int i = 0; i < 300; ++i) {
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, {}, true));
        QCoreApplication::postEvent(
            &window, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Plus, Qt::KeypadModifier, {}, true));
    }
    settle();
    EXPECT_NEAR(state_.displayedDay, 300.0 / 275, 1e-12);
    EXPECT_EQ(window.redrawCount(), before + 2);
    press(window, Qt::Key_F12);  // stacking only
    settle();
    EXPECT_EQ(window.redrawCount(), before + 2);
}

TEST_F(ClockWindowTest, HomeTwiceGivesTheStoredSettingsAndTheLineAsBefore) {
    {
        QFile file{QString(settingsFileName)};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Ortsname = Ulm\r\nBreite = 10.5\r\nUhr immer im Vordergrund = 1\r\n");
    }
    ClockSettings stored;
    stored.placeName = "Ulm";
    stored.latitude = 10.5;
    stored.alwaysOnTop = 1;

    ClockWindow window(state_, clock_);
    press(window, Qt::Key_Up);  // coordinates line on, latitude changed in memory
    press(window, Qt::Key_Asterisk, Qt::KeypadModifier);
    ASSERT_TRUE(window.showCoordinates());
    press(window, Qt::Key_Home);
    press(window, Qt::Key_Home);
    EXPECT_TRUE(window.showCoordinates());
    EXPECT_EQ(state_.displayedDay, 0.0);
    EXPECT_EQ(state_.settings, stored);
    // The window takes the reloaded alwaysOnTop, so the next F12 releases it at once.
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    press(window, Qt::Key_F12);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ClockWindowTest, KeypadPlus275TimesIsOneDay) {
    ClockWindow window(state_, clock_);
    for (int i = 0; i < 275; ++i) press(window, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_NEAR(state_.displayedDay, 1.0, 1e-12);
    press(window, Qt::Key_Minus, Qt::KeypadModifier);
    press(window, Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_NEAR(state_.displayedDay, 1.0 - 1.0 / 275 - 1.0, 1e-12);
}

// A laptop browses without a keypad: + and - of the main keyboard (Shift or not, as
// layouts type them) and Page Up / Page Down; * and / of the main keyboard stay text.
TEST_F(ClockWindowTest, MainKeyboardKeysBrowseLikeTheKeypad) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        double days;
    } rows[] = {
        {Qt::Key_Plus, Qt::NoModifier, dayStep},     {Qt::Key_Plus, Qt::ShiftModifier, dayStep},
        {Qt::Key_Minus, Qt::NoModifier, -dayStep},   {Qt::Key_Minus, Qt::ShiftModifier, -dayStep},
        {Qt::Key_PageUp, Qt::NoModifier, 1.0},       {Qt::Key_PageDown, Qt::NoModifier, -1.0},
        {Qt::Key_PageUp, Qt::KeypadModifier, 1.0},   {Qt::Key_PageUp, Qt::ShiftModifier, 0.0},
        {Qt::Key_Plus, Qt::ControlModifier, 0.0},    {Qt::Key_Minus, Qt::AltModifier, 0.0},
        {Qt::Key_Asterisk, Qt::NoModifier, 0.0},     {Qt::Key_Slash, Qt::NoModifier, 0.0},
        {Qt::Key_Asterisk, Qt::ShiftModifier, 0.0},
        {Qt::Key_Plus, Qt::ShiftModifier | Qt::KeypadModifier, 0.0},
    };
    ClockWindow window(state_, clock_);
    for (const auto& row : rows) {
        state_.displayedDay = 0.0;
        press(window, row.key, row.modifiers);
        EXPECT_EQ(state_.displayedDay, row.days)
            << QKeySequence(row.key).toString().toStdString() << " " << row.modifiers.toInt();
    }
}

TEST_F(ClockWindowTest, ShiftCtrlOrAltHeldBlocksEveryCommand) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    const ClockSettings before = state_.settings;
    const std::int64_t redraws = window.redrawCount();
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        for (int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,
                        Qt::Key_F12, Qt::Key_Escape})
            press(window, key, held);
        for (int key : {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Asterisk, Qt::Key_Slash})
            press(window, key, held | Qt::KeypadModifier);
    }
    EXPECT_EQ(state_.settings, before);
    EXPECT_EQ(state_.displayedDay, 0.0);
    EXPECT_FALSE(window.showCoordinates());
    EXPECT_EQ(window.redrawCount(), redraws);
    EXPECT_EQ(quits, 0);
}

// The machine's clock, its zone changed under the running window (TZ here; a new
// /etc/localtime the same way): the next tick draws the new zone's time, not the zone
// the C library read first.
TEST_F(ClockWindowTest, TheNextTickAfterAZoneChangeShowsTheNewLocalTime) {
    const QByteArray savedZone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "UTC0");
    const SystemWallClock system;
    ClockWindow window(state_, system);  // draws its first frame
    const DateValue utc = state_.now;
    qputenv("TZ", "<+0530>-5:30");
    window.redrawForTick();
    EXPECT_NEAR(static_cast<double>(state_.now - utc), 5.5 * 3600, 2.0);
    if (hadZone) qputenv("TZ", savedZone);
    else qunsetenv("TZ");
}

TEST_F(ClockWindowTest, DraggingTo600x300SettlesAtRadius225) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    // The second time is a compositor repeating a drag's last size as the drag ends: the
    // square size was given before, so this is no refusal.
    for (int pass = 0; pass < 2; ++pass) {
        window.resize(600, 300);
        settle();
        EXPECT_EQ(window.clockRadius(), 225) << "pass " << pass;
        EXPECT_EQ(window.size(), QSize(450, 450)) << "pass " << pass;
        EXPECT_EQ(window.clockImage().width, 450);
        EXPECT_EQ(window.clockImage().height, 450);
    }
}

TEST_F(ClockWindowTest, SmallestSizeKeepsTheImageEvenAndInsideTheLimit) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    window.resize(100, 100);  // below the limit: the window system gives 205 x 205
    settle();
    EXPECT_EQ(window.size(), QSize(205, 205));
    EXPECT_EQ(window.clockRadius(), 102);
    EXPECT_EQ(window.clockImage().width, 204);
}

TEST_F(ClockWindowTest, TheWindowShowsTheImagePixelForPixel) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(differingPixels(shown, window.clockImage()), 0);
}

// Ticks hand Qt only the rectangles that changed: what reaches the screen (the offscreen
// platform's backing store) must still be the whole current frame after each of them.
TEST_F(ClockWindowTest, TicksThatSendOnlyWhatChangedLeaveTheWholeFrameOnTheScreen) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    const LocalDateTime ticks[] = {{2024, 6, 12, 14, 30, 16}, {2024, 6, 12, 14, 30, 17},
                                   {2024, 6, 12, 14, 30, 29}, {2024, 6, 12, 14, 30, 31},
                                   {2024, 6, 12, 14, 31, 0},  {2024, 6, 12, 14, 31, 1}};
    for (const LocalDateTime& at : ticks) {
        clock_.set(at);
        window.redrawForTick();
        if (at.second == 17) press(window, Qt::Key_Asterisk, Qt::KeypadModifier);
        settle();
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
        EXPECT_EQ(differingPixels(shown, window.clockImage()), 0) << "second " << at.second;
    }
    EXPECT_GE(window.cellRedrawCount(), 2) << "no tick took the cheap path";
}

// Needs the platform of two screens, the second at ratio 2 (ctest entry ui_two_screens).
TEST_F(ClockWindowTest, AnotherScreensRatioRedrawsAtOnceInItsDevicePixels) {
    QScreen* unscaled = nullptr;
    QScreen* scaled = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        (screen->devicePixelRatio() == 1.0 ? unscaled : scaled) = screen;
    if (unscaled == nullptr || scaled == nullptr)
        GTEST_SKIP() << "runs on the two-screen offscreen platform";
    ASSERT_EQ(scaled->devicePixelRatio(), 2.0);
    ClockWindow window(state_, clock_);
    window.winId();  // the native window, to put on a screen before it shows
    window.windowHandle()->setScreen(unscaled);
    window.show();
    settle();
    ASSERT_EQ(window.clockImage().width, 400);

    const std::int64_t before = window.redrawCount();
    window.windowHandle()->setScreen(scaled);
    settle();
    EXPECT_GT(window.redrawCount(), before) << "no redraw until the next tick";
    EXPECT_EQ(window.size(), QSize(400, 400)) << "logical sizes must not change";
    EXPECT_EQ(window.clockRadius(), 200);
    EXPECT_EQ(window.deviceRadius(), 400);

    // The frame of radius 400 with its own 27-point font, not the 13-point one doubled.
    ClockState state;
    takeWallClockReading(state, clock_);
    const Font font = loadFont("Arial", 27);
    Image expected;
    renderClockFace(state, expected, font, 400, false);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(800, 800)) << "shown scaled, not 1:1";
    EXPECT_EQ(differingPixels(shown, expected), 0);

    window.windowHandle()->setScreen(unscaled);
    settle();
    EXPECT_EQ(window.clockImage().width, 400) << "back on the unscaled screen";
}

// Needs the platform of a 640 x 480 screen beside a 2560 x 1440 one (ctest entry
// ui_gui_small_and_large_screens). Qt hands the window of a removed screen to a remaining
// one with setScreen, as done here, leaving it where the removed screen was: beyond both.
TEST_F(ClockWindowTest, TheSizeLimitAndThePlaceFollowTheWindowsScreen) {
    QScreen* small = nullptr;
    QScreen* large = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        (screen->size().width() == 640 ? small : large) = screen;
    if (small == nullptr || large == nullptr || large->size() != QSize(2560, 1440))
        GTEST_SKIP() << "runs on the small-and-large offscreen platform";
    ClockWindow window(state_, clock_);
    window.winId();
    window.windowHandle()->setScreen(large);
    window.move(large->geometry().topLeft() + QPoint(100, 100));
    window.show();
    settle();
    EXPECT_EQ(window.largestSide(), 1372) << "the small screen's limit on the large one";
    window.resize(1000, 1000);
    settle();
    EXPECT_EQ(window.size(), QSize(1000, 1000));
    EXPECT_EQ(window.clockRadius(), 500);

    window.move(3300, 100);  // right of the large screen's 3200
    settle();
    window.windowHandle()->setScreen(small);
    settle();
    EXPECT_EQ(window.largestSide(), 392);
    EXPECT_EQ(window.size(), QSize(392, 392));
    EXPECT_EQ(window.clockRadius(), 196);
    EXPECT_TRUE(small->availableGeometry().contains(window.frameGeometry()))
        << "left beyond the remaining screens";
    const QPoint onSmall = window.pos();
    window.windowHandle()->setScreen(large);
    settle();
    EXPECT_EQ(window.largestSide(), 1372);
    EXPECT_EQ(window.pos(), onSmall) << "a window on a screen is not moved";
}

TEST_F(ClockWindowTest, F12PutsTheWindowOnTopAndBackWithoutMovingIt) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    const QRect before = window.geometry();
    press(window, Qt::Key_F12);
    settle();
    EXPECT_EQ(state_.settings.alwaysOnTop, 1);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);
    press(window, Qt::Key_F12);
    EXPECT_EQ(state_.settings.alwaysOnTop, 0);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// A screen reader finds one clock, named, whose description is the face at this moment.
TEST_F(ClockWindowTest, ScreenReadersFindAClockDescribedAsItShowsNow) {
    ClockWindow window(state_, clock_);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&window);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Clock);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Dorvalen"));
    EXPECT_EQ(face->childCount(), 0) << "the image is a second, unnamed object";
    clock_.set({2024, 6, 12, 14, 31, 0});
    const QString text = face->text(QAccessible::Description);
    EXPECT_TRUE(text.startsWith(QStringLiteral("14:31 Uhr, Mittwoch, 12.6.2024"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Schicht jetzt: "))) << text.toStdString();
}

TEST_F(ClockWindowTest, StoredOnTopIsAppliedAtStart) {
    state_.settings.alwaysOnTop = 1;
    ClockWindow window(state_, clock_);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(ClockWindowTest, EscEndsTheLoopWithoutWritingSettings) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    window.show();
    settle();
    press(window, Qt::Key_Up);
    press(window, Qt::Key_F12);
    press(window, Qt::Key_Escape);
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(settingsFileExists());
}

TEST_F(ClockWindowTest, ARepeatOfAnEscHeldDownDoesNotEndTheProgram) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    window.show();
    settle();
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&window, &repeat);
    settle();
    EXPECT_EQ(quits, 0) << "the repeat of an Esc that closed the dialog ended the clock";
    press(window, Qt::Key_Escape);
    settle();
    EXPECT_EQ(quits, 1);
}

TEST_F(ClockWindowTest, CloseEndsTheLoopWithoutWritingSettings) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    window.show();
    settle();
    press(window, Qt::Key_Left);
    window.close();
    settle();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(settingsFileExists());
}

// The settings dialog while it is shown, else null.
QDialog* shownSettingsDialog() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == QStringLiteral("Programmeinstellungen"))
            return qobject_cast<QDialog*>(window);
    return nullptr;
}

// Runs action and counts the settings dialogs it opened; each is closed (like Esc) as soon
// as its own loop runs, so the test never waits on an open dialog.
int settingsDialogsOpenedBy(const std::function<void()>& action) {
    int opened = 0;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QDialog* dialog = shownSettingsDialog();
        if (dialog == nullptr) return;
        ++opened;
        dialog->reject();
    });
    watcher.start();
    action();
    return opened;
}

void mouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void click(QWidget* target, Qt::MouseButton button, QPoint at) {
    mouse(target, QEvent::MouseButtonPress, button, at);
    mouse(target, QEvent::MouseButtonRelease, button, at);
}

// Opens the settings dialog with E and runs `drive` once the dialog's loop runs; returns
// when the dialog has closed. A dialog left open is a failure and is closed.
void withSettingsOpen(ClockWindow& window, const std::function<void(QDialog&)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = shownSettingsDialog();
        ASSERT_NE(dialog, nullptr) << "E opened no settings dialog";
        drive(*dialog);
        driven = true;
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the settings dialog is still open";
            dialog->reject();
        }
    });
    QKeyEvent e(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &e);
    EXPECT_TRUE(driven);
}

// Runs the event loop for `ms` milliseconds.
void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(ClockWindowTest, NeitherKeysNorClicksNorTheTimerReachTheClockUnderTheSettings) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    window.show();
    settle();
    window.startTicking();
    QWidget* image = window.childAt(200, 200);
    ASSERT_NE(image, nullptr);
    withSettingsOpen(window, [&](QDialog& dialog) {
        const std::int64_t redraws = window.redrawCount();
        press(window, Qt::Key_Up);
        press(window, Qt::Key_Asterisk, Qt::KeypadModifier);
        press(window, Qt::Key_Home);
        press(window, Qt::Key_F12);
        press(window, Qt::Key_E);
        click(image, Qt::RightButton, QPoint(200, 200));
        wait(1100);  // a second boundary passes: the timer fires but must not redraw
        EXPECT_EQ(state_.settings, ClockSettings{});
        EXPECT_EQ(state_.displayedDay, 0.0);
        EXPECT_FALSE(window.showCoordinates());
        EXPECT_EQ(window.redrawCount(), redraws);
        EXPECT_EQ(shownSettingsDialog(), &dialog) << "the dialog closed or a second one opened";
        // Esc with Shift is no command; plain Esc ends the dialog, not the program.
        press(window, Qt::Key_Escape, Qt::ShiftModifier);
        EXPECT_TRUE(dialog.isVisible());
        press(window, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible()) << "the clock's Esc did not end the dialog";
    });
    settle();
    EXPECT_EQ(quits, 0) << "the clock's Esc under the dialog ended the program";
    EXPECT_TRUE(window.isVisible());
    const std::int64_t redraws = window.redrawCount();
    press(window, Qt::Key_Up);
    settle();
    EXPECT_EQ(state_.settings.latitude, 49.17) << "keys stay blocked";  // 48°47' + 30'
    EXPECT_EQ(window.redrawCount(), redraws + 1);
}

// The close button of the clock under the dialog is the dialog's Abbruch: what the dialog
// takes at once stays, the coordinates do not, and the program runs on.
TEST_F(ClockWindowTest, CloseUnderTheSettingsEndsOnlyTheDialogAsAbbruch) {
    ClockWindow window(state_, clock_);
    int quits = 0;
    QObject::connect(&window, &ClockWindow::quitRequested, [&] { ++quits; });
    window.show();
    settle();
    withSettingsOpen(window, [&](QDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("control301"));
        auto* latitude = dialog.findChild<QLineEdit*>(QStringLiteral("control305"));
        auto* astronomical = dialog.findChild<QAbstractButton*>(QStringLiteral("control315"));
        ASSERT_TRUE(name && latitude && astronomical);
        QApplication::setActiveWindow(&dialog);  // focus moves only in the active window
        ASSERT_TRUE(name->hasFocus());
        name->setText(QStringLiteral("Ulm"));
        latitude->setFocus();  // leaving the name takes it over
        latitude->setText(QStringLiteral("10"));
        astronomical->click();
        EXPECT_FALSE(window.close()) << "the clock window closed under the dialog";
        EXPECT_FALSE(dialog.isVisible()) << "Close of the clock did not end the dialog";
    });
    settle();
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(window.isVisible());
    ClockSettings expected;
    expected.placeName = "Ulm";
    expected.twilightKind = 5;
    EXPECT_EQ(state_.settings, expected);
    EXPECT_FALSE(settingsFileExists());
    // The program is still alive: the next Close ends it.
    window.close();
    settle();
    EXPECT_EQ(quits, 1);
}

// Home reads Schichtplan.txt (and the stored choice) again; a refused file keeps the rota
// on the face and keeps its reason for the dialog.
TEST_F(ClockWindowTest, HomeReadsTheRotaAgainAndARefusedFileKeepsTheRotaShown) {
    const QByteArray good =
        "[Schichten]\nF = Fr\xC3\xBCh, 06:00, 8\n[Gruppen]\nA = #FF0000, 0\nB = #0000FF, 1\n"
        "[Plan]\nBeginn = 2024-01-01\nMuster = F-\n";
    const auto put = [](const char* name, const QByteArray& bytes) {
        QDir().rmdir(name);
        QFile::remove(name);
        QFile file{QString(name)};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    put("Schichtplan.txt", QByteArray("[Plan]\0", 7));
    ClockRotaStatus atStart;
    reloadClockRota(state_, atStart);
    EXPECT_EQ(state_.rotaFile, nullptr) << "a refused file at start leaves the built-in rota";
    EXPECT_EQ(atStart.refusal, "Schichtplan.txt, Zeile 1: unerlaubtes Steuerzeichen");

    ClockWindow window(state_, clock_, atStart);
    const struct {
        const char* step;
        std::function<void()> change;
        int crews;  // 0: the built-in rota; -1: the rota shown before the step
        const char* refusal;
    } steps[] = {
        {"a good file is read", [&] { put("Schichtplan.txt", good); }, 2, ""},
        {"NUL bytes keep the rota shown",
         [&] { put("Schichtplan.txt", QByteArray("[Plan]\0", 7)); }, -1,
         "Schichtplan.txt, Zeile 1: unerlaubtes Steuerzeichen"},
        {"a directory keeps it too",
         [&] {
             QFile::remove("Schichtplan.txt");
             QDir().mkdir("Schichtplan.txt");
         },
         -1, "Schichtplan.txt: keine gewöhnliche Datei"},
        {"the stored choice of the built-in rota wins over the file",
         [&] {
             put("Schichtplan.txt", good);
             put(rotaChoiceFileName, "Schichtplan = eingebaut\r\n");
         },
         0, ""},
        {"no file, no choice: the built-in rota",
         [&] {
             QFile::remove("Schichtplan.txt");
             QFile::remove(rotaChoiceFileName);
         },
         0, ""},
    };
    for (const auto& step : steps) {
        const std::shared_ptr<const RotaFile> before = state_.rotaFile;
        step.change();
        press(window, Qt::Key_Home);
        if (step.crews < 0) {
            EXPECT_EQ(state_.rotaFile, before) << step.step;
        } else {
            EXPECT_EQ(state_.rotaFile ? static_cast<int>(state_.rotaFile->crews.size()) : 0,
                      step.crews)
                << step.step;
        }
        EXPECT_EQ(window.rotaStatus().refusal, step.refusal) << step.step;
    }
}

TEST_F(ClockWindowTest, EAndARightClickOpenTheSettingsLeftClicksDoNot) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    QWidget* image = window.childAt(200, 200);
    ASSERT_NE(image, nullptr);
    const QPoint centre(200, 200);
    EXPECT_EQ(settingsDialogsOpenedBy([&] { press(window, Qt::Key_E); }), 1);
    EXPECT_EQ(settingsDialogsOpenedBy([&] { press(window, Qt::Key_E, Qt::ShiftModifier); }), 0);
    EXPECT_EQ(settingsDialogsOpenedBy([&] { click(image, Qt::RightButton, centre); }), 1);
    EXPECT_EQ(settingsDialogsOpenedBy([&] { click(image, Qt::LeftButton, centre); }), 0);
    EXPECT_EQ(settingsDialogsOpenedBy([&] {
                  mouse(image, QEvent::MouseButtonDblClick, Qt::LeftButton, centre);
                  mouse(image, QEvent::MouseButtonRelease, Qt::LeftButton, centre);
              }),
              0);
    // Released after dragging off the image: no click on the image.
    EXPECT_EQ(settingsDialogsOpenedBy([&] {
                  mouse(image, QEvent::MouseButtonPress, Qt::RightButton, centre);
                  mouse(image, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(-20, 500));
              }),
              0);
}

TEST_F(ClockWindowTest, ARightDoubleClickOpensTheSettingsOnlyOnce) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    QWidget* image = window.childAt(200, 200);
    ASSERT_NE(image, nullptr);
    const QPoint centre(200, 200);
    EXPECT_EQ(settingsDialogsOpenedBy([&] {
                  click(image, Qt::RightButton, centre);
                  mouse(image, QEvent::MouseButtonDblClick, Qt::RightButton, centre);
                  mouse(image, QEvent::MouseButtonRelease, Qt::RightButton, centre);
              }),
              1);
    // The next plain right click counts again.
    EXPECT_EQ(settingsDialogsOpenedBy([&] { click(image, Qt::RightButton, centre); }), 1);
}

TEST_F(ClockWindowTest, MaximiseFillsTheLimitAndRestoreGoesBack) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    window.showMaximized();
    settle();
    ASSERT_TRUE(window.isMaximized());
    // The face never outgrows the size limit, whatever the maximised window measures.
    EXPECT_EQ(window.clockRadius(), window.largestSide() / 2);
    EXPECT_EQ(window.clockImage().width, 2 * window.clockRadius());
    window.showNormal();
    settle();
    EXPECT_EQ(window.clockRadius(), 200);
    EXPECT_EQ(window.clockImage().width, 400);
    EXPECT_EQ(window.size(), QSize(400, 400));
}

TEST_F(ClockWindowTest, MinimisingDoesNotResize) {
    ClockWindow window(state_, clock_);
    window.show();
    settle();
    const std::int64_t redraws = window.redrawCount();
    window.showMinimized();
    settle();
    EXPECT_EQ(window.clockRadius(), 200);
    EXPECT_EQ(window.redrawCount(), redraws);
}

}  // namespace
}  // namespace dorvalen
