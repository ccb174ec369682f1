// The settings dialog and the help window with real widgets on the offscreen platform. Each
// test opens the dialog as the clock does (its own loop) and acts on it from a
// zero-delay timer once the loop runs; the colour chooser and the message box are answered
// through the dialog's seams. Every test runs in its own temporary working directory.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <limits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/conversions.h"
#include "settings/field_rules.h"
#include "settings/help_text.h"
#include "ui/settings_dialog.h"
#include "settings/settings_file.h"

namespace dorvalen {
namespace {

namespace fs = std::filesystem;

// The shown top-level window with this object name ("settingsDialog", "infoWindow").
QDialog* shownWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == QLatin1String(name))
            return qobject_cast<QDialog*>(window);
    return nullptr;
}

struct Message {
    QString title;
    QString text;
};

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir_ = fs::current_path();
        workDir_ = fs::temp_directory_path() /
                   ("dorvalen-dialog-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(workDir_);
        fs::create_directories(workDir_);
        fs::current_path(workDir_);
        clockWindow_.resize(400, 400);
        clockWindow_.show();
    }
    void TearDown() override {
        fs::current_path(previousDir_);
        fs::remove_all(workDir_);
    }

    SettingsDialogSeams seams() {
        SettingsDialogSeams s;
        s.chooseColour = [this](QWidget*, std::int32_t start) {
            colourStarts_.push_back(start);
            return colourAnswer_;
        };
        s.showMessage = [this](QWidget*, const QString& title, const QString& text) {
            messages_.push_back({title, text});
        };
        return s;
    }

    // Opens the dialog and runs `drive` on it once its loop runs. `drive` must end the
    // dialog; a dialog left open is a failure and is closed so the test does not hang.
    void runDialog(const std::function<void(QDialog&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            QDialog* dialog = shownWindow("settingsDialog");
            ASSERT_NE(dialog, nullptr) << "no dialog shown while openSettingsDialog runs";
            dialog->activateWindow();
            QApplication::setActiveWindow(dialog);
            drive(*dialog);
            driven = true;
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog->reject();
            }
        });
        openSettingsDialog(&clockWindow_, state_, seams());
        EXPECT_TRUE(driven);
        EXPECT_EQ(shownWindow("settingsDialog"), nullptr);
        EXPECT_EQ(shownWindow("infoWindow"), nullptr);
        EXPECT_TRUE(clockWindow_.isVisible()) << "the clock window was closed";
    }

    ClockState state_;
    QWidget clockWindow_;
    std::vector<Message> messages_;
    std::vector<std::int32_t> colourStarts_;
    std::optional<std::int32_t> colourAnswer_;
    fs::path previousDir_;
    fs::path workDir_;
};

template <class T = QWidget>
T* control(QDialog& dialog, int number) {
    T* found = dialog.findChild<T*>(QStringLiteral("control%1").arg(number));
    EXPECT_NE(found, nullptr) << "control " << number;
    return found;
}

void sendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// A left click as the window system delivers it: the press first takes the focus. It lands
// near the left end, where an option's or a check box's indicator is.
void click(QWidget* target) {
    const QPointF centre(std::min(target->width() / 2, 10), target->height() / 2.0);
    const QPointF global = target->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// Types into a field and leaves it with Tab.
void typeAndLeave(QDialog& dialog, int number, const QString& text) {
    QLineEdit* field = control<QLineEdit>(dialog, number);
    field->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(field->hasFocus()) << "field " << number << " cannot take the focus";
    field->setText(text);
    sendKey(field, Qt::Key_Tab);
    ASSERT_FALSE(field->hasFocus()) << "Tab did not leave field " << number;
}

QString text(QDialog& dialog, int number) { return control<QLineEdit>(dialog, number)->text(); }
bool isChecked(QDialog& dialog, int number) {
    return control<QAbstractButton>(dialog, number)->isChecked();
}

// ---------------------------------------------------------------------------------------
// Appearance

struct LayoutRow {
    int number;
    const char* text;
    double x, y, width;  // x and width in cw, y in lh; labels add the label offset
    const char* tooltip;
};

const LayoutRow layoutRows[] = {
    {300, "Name:", 2, 2, 8, ""},        {301, "", 11, 2, 50, ""},
    {302, "Länge:", 2, 4, 8, ""},       {303, "", 11, 4, 8, ""},
    {316, "Ost", 21, 4, 7, ""},         {317, "West", 31, 4, 7, ""},
    {304, "Breite:", 2, 6, 8, ""},      {305, "", 11, 6, 8, ""},
    {318, "Nord", 21, 6, 7, ""},        {319, "Süd", 31, 6, 7, ""},
    {306, "Zeitzone:", 2, 8, 8, ""},    {307, "", 11, 8, 8, ""},
    {320, "Ost", 21, 8, 7, ""},         {321, "West", 31, 8, 7, ""},
    {308, " Sommerzeit automatisch", 41, 8, 25, ""},
    {312, "Dämmerung:", 2, 10, 12, ""},
    {313, "bürgerlich", 17, 10, 14, ""}, {314, "nautisch", 31, 10, 14, ""},
    {315, "astronomisch", 45, 10, 14, ""},
    {323, " Die Uhr immer im Vordergrund halten", 2, 12, 25, ""},
    {324, " Schichtfarben des Ziffernblattes ein", 2, 14, 25, ""},
    {325, "Farbe", 28, 14, 8, "Farbe des Ziffernblattes wählen"},
    {326, " Sekundenzeiger ein", 2, 16, 25, ""},
    {309, "Speichern", 1, 19, 13, "Speichert Koordinaten und verlässt das Eingabefenster"},
    {322, "Anzeigen", 17.5, 19, 13, "Koordinaten nur anzeigen, ohne sie zu speichern"},
    {310, "Info", 33.5, 19, 13, "Infos zur Eingabe und zum Programm"},
    {311, "Abbruch", 50, 19, 13, "Verlässt das Eingabefenster ohne Übernahme der Koordinaten"},
};

TEST_F(SettingsDialogTest, WindowAndControlsSitWhereTheFontUnitsPutThem) {
    const QFontMetrics metrics(QApplication::font());
    const int lh = metrics.height();
    const int fieldHeight = roundToPixel(1.5 * lh);
    runDialog([&](QDialog& dialog) {
        // cw is the width of "_", or wider where the font's letters need it.
        const int cw = dialog.width() / 64;
        EXPECT_GE(cw, metrics.horizontalAdvance(QStringLiteral("_")));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Programmeinstellungen"));
        EXPECT_EQ(dialog.size(), QSize(64 * cw, roundToPixel(21.5 * lh)));
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the dialog can be resized";
        EXPECT_EQ(dialog.parentWidget(), &clockWindow_) << "not owned by the clock window";
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);

        auto* frame = dialog.findChild<QGroupBox*>();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QStringLiteral("Optionen"));
        EXPECT_EQ(frame->geometry(), QRect(cw, lh / 2, 62 * cw, roundToPixel(17.5 * lh)));

        for (const LayoutRow& row : layoutRows) {
            QWidget* widget = control(dialog, row.number);
            if (!widget) continue;
            const bool isLabel = qobject_cast<QLabel*>(widget) != nullptr;
            const QRect expected(roundToPixel(row.x * cw),
                                 roundToPixel(row.y * lh) + (isLabel ? roundToPixel(0.3 * lh) : 0),
                                 roundToPixel(row.width * cw), fieldHeight);
            EXPECT_EQ(widget->geometry(), expected) << "control " << row.number;
            EXPECT_EQ(widget->toolTip(), QString::fromUtf8(row.tooltip)) << row.number;
            QString shown;
            if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown = button->text();
            if (!qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(shown, QString::fromUtf8(row.text)) << row.number;
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), control(dialog, 301)) << "name not focused";
        dialog.reject();
    });
}

// Tab enters an option group at its selected option (the arrow keys move within the group,
// as on every desktop); otherwise it follows the order of creation.
// No text is clipped, whatever the default font: a narrow "_" must not cut "West" to "Wes".
TEST_F(SettingsDialogTest, EveryTextFitsItsControlInsideTheDialog) {
    for (const char* family : {"", "DejaVu Sans", "Liberation Serif", "Noto Sans Mono"}) {
        const QFont previous = QApplication::font();
        if (*family) {
            QFont font(QString::fromUtf8(family), 11);
            QApplication::setFont(font);
        }
        runDialog([&](QDialog& dialog) {
            for (const LayoutRow& row : layoutRows) {
                QWidget* widget = control(dialog, row.number);
                if (!widget || qobject_cast<QLineEdit*>(widget)) continue;
                const int textWidth =
                    widget->fontMetrics().horizontalAdvance(QString::fromUtf8(row.text));
                int needed = textWidth;
                if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                    qobject_cast<QRadioButton*>(widget))
                    needed = widget->sizeHint().width();
                const int shown = std::min(widget->geometry().right() + 1, dialog.width()) -
                                  widget->x();
                EXPECT_GE(shown, needed) << "control " << row.number << " clipped in \""
                                         << family << "\"";
            }
            dialog.reject();
        });
        QApplication::setFont(previous);
    }
}

TEST_F(SettingsDialogTest, TabVisitsTheControlsInCreationOrder) {
    const std::vector<int> expected = {301, 303, 316, 305, 318, 307, 320, 308, 313,
                                       323, 324, 325, 326, 309, 322, 310, 311, 301};
    runDialog([&](QDialog& dialog) {
        std::vector<int> visited;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QWidget* at = QApplication::focusWidget();
            ASSERT_NE(at, nullptr);
            visited.push_back(at->objectName().mid(7).toInt());
            sendKey(at, Qt::Key_Tab);
        }
        EXPECT_EQ(visited, expected);
        sendKey(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), control(dialog, 301)) << "Shift+Tab";
        dialog.reject();
    });
}

TEST_F(SettingsDialogTest, InitialStatesFollowTheSettings) {
    state_.settings.longitude = 0.0;    // zero counts as west
    state_.settings.latitude = -33.5;   // south
    state_.settings.timeZone = 0.0;     // zero counts as west
    state_.settings.twilightKind = 5;
    state_.settings.autoSummerTime = 2;  // only 1 ticks the box
    state_.settings.showSecondsHand = 1;
    runDialog([&](QDialog& dialog) {
        EXPECT_EQ(text(dialog, 301), QStringLiteral("Mirelstadt"));
        EXPECT_EQ(text(dialog, 303), QStringLiteral("0.00"));
        EXPECT_FALSE(isChecked(dialog, 316));
        EXPECT_TRUE(isChecked(dialog, 317));
        EXPECT_EQ(text(dialog, 305), QStringLiteral("33.50"));
        EXPECT_FALSE(isChecked(dialog, 318));
        EXPECT_TRUE(isChecked(dialog, 319));
        EXPECT_EQ(text(dialog, 307), QStringLiteral("0.0"));
        EXPECT_TRUE(isChecked(dialog, 321));
        EXPECT_FALSE(isChecked(dialog, 308));
        EXPECT_TRUE(isChecked(dialog, 315));
        EXPECT_FALSE(isChecked(dialog, 313));
        EXPECT_FALSE(isChecked(dialog, 323));
        EXPECT_TRUE(isChecked(dialog, 324));
        EXPECT_TRUE(isChecked(dialog, 326));
        dialog.reject();
    });
}

TEST_F(SettingsDialogTest, DefaultsShowEastNorthAndOneHourEast) {
    runDialog([&](QDialog& dialog) {
        EXPECT_EQ(text(dialog, 303), QStringLiteral("12.52"));
        EXPECT_TRUE(isChecked(dialog, 316));
        EXPECT_EQ(text(dialog, 305), QStringLiteral("48.47"));
        EXPECT_TRUE(isChecked(dialog, 318));
        EXPECT_EQ(text(dialog, 307), QStringLiteral("1.0"));
        EXPECT_TRUE(isChecked(dialog, 320));
        EXPECT_TRUE(isChecked(dialog, 313));
        dialog.reject();
    });
}

TEST_F(SettingsDialogTest, UnknownTwilightKindSelectsNoOptionAndStays) {
    state_.settings.twilightKind = 7;
    runDialog([&](QDialog& dialog) {
        for (int number : {313, 314, 315}) EXPECT_FALSE(isChecked(dialog, number)) << number;
        click(control(dialog, 322));  // Anzeigen
    });
    EXPECT_EQ(state_.settings.twilightKind, 7);
}

TEST_F(SettingsDialogTest, OptionGroupsAreExclusive) {
    runDialog([&](QDialog& dialog) {
        click(control(dialog, 317));
        EXPECT_FALSE(isChecked(dialog, 316));
        EXPECT_TRUE(isChecked(dialog, 318)) << "a longitude option cleared the latitude group";
        click(control(dialog, 315));
        EXPECT_FALSE(isChecked(dialog, 313));
        EXPECT_EQ(state_.settings.twilightKind, 5) << "twilight not taken at once";
        click(control(dialog, 314));
        EXPECT_FALSE(isChecked(dialog, 315));
        EXPECT_EQ(state_.settings.twilightKind, 4);
        dialog.reject();
    });
}

// ---------------------------------------------------------------------------------------
// Leaving a field

struct LeaveRow {
    const char* fault;
    int number;
    const char* typed;
    const char* shown;
};

const LeaveRow leaveRows[] = {
    {"latitude fraction not turned into minutes", 305, "12.7", "12.42"},
    {"latitude beyond 90 not wrapped", 305, "120", "30.00"},
    {"latitude 90.5 not wrapped", 305, "90.5", "0.50"},
    {"letters in the latitude not read as 0", 305, "Breite", "0.00"},
    {"leading blank corrupts the latitude", 305, " 48.47", "48.47"},
    {"typed hundredths lost", 305, "8.29", "8.29"},
    {"longitude beyond 180 not wrapped", 303, "210", "30.00"},
    {"longitude sign dropped", 303, "-12.52", "-12.52"},
    {"longitude cut rounded", 303, "12.345", "12.34"},
    {"time zone above 14 not clamped", 307, "15", "14.0"},
    {"time zone below -12 not clamped", 307, "-20", "-12.0"},
    {"time zone not rounded to one decimal", 307, "5.75", "5.8"},
    {"time zone infinity kept", 307, "-Infinity", "0.0"},
};

TEST_F(SettingsDialogTest, LeavingAFieldReformatsIt) {
    runDialog([&](QDialog& dialog) {
        for (const LeaveRow& row : leaveRows) {
            typeAndLeave(dialog, row.number, QString::fromUtf8(row.typed));
            EXPECT_EQ(text(dialog, row.number), QString::fromUtf8(row.shown)) << row.fault;
        }
        dialog.reject();
    });
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SettingsDialogTest, NameOfFiftyCharactersPassesAndFiftyOneIsCut) {
    const QString fifty = QString(49, QChar(u'ä')) + QChar(u'z');
    runDialog([&](QDialog& dialog) {
        typeAndLeave(dialog, 301, fifty);
        EXPECT_EQ(text(dialog, 301), fifty);
        EXPECT_TRUE(messages_.empty()) << "message for a name within the limit";
        EXPECT_EQ(state_.settings.placeName, fifty.toStdString()) << "name not taken on leaving";

        typeAndLeave(dialog, 301, fifty + QStringLiteral("!"));
        EXPECT_EQ(text(dialog, 301), fifty);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].title, QStringLiteral("Info"));
        EXPECT_EQ(messages_[0].text, QStringLiteral("Die Länge des Namens wurde auf 50 Zeichen gekürzt!"));
        EXPECT_EQ(state_.settings.placeName, fifty.toStdString());
        dialog.reject();
    });
}

// ---------------------------------------------------------------------------------------
// Taking the entries over

struct SignRow {
    const char* fault;
    int fieldNumber;
    const char* typed;
    int option;
    double ClockSettings::*setting;
    double expected;
};

const SignRow signRows[] = {
    {"east typed negative lost its sign", 303, "-12.52", 316, &ClockSettings::longitude, -12.52},
    {"east typed positive not made negative", 303, "12.52", 316, &ClockSettings::longitude, -12.52},
    {"west typed negative not made positive", 303, "-12.52", 317, &ClockSettings::longitude, 12.52},
    {"south not made negative", 305, "48.47", 319, &ClockSettings::latitude, -48.47},
    {"north typed negative not made positive", 305, "-48.47", 318, &ClockSettings::latitude, 48.47},
    {"west time zone not made negative", 307, "14", 321, &ClockSettings::timeZone, -14},
    {"clamp after the sign instead of before", 307, "-13", 320, &ClockSettings::timeZone, 12},
    {"east time zone typed negative kept", 307, "-5.5", 320, &ClockSettings::timeZone, 5.5},
};

TEST_F(SettingsDialogTest, AnzeigenSignsTheValuesByTheOptions) {
    for (const SignRow& row : signRows) {
        state_ = ClockState{};
        runDialog([&](QDialog& dialog) {
            typeAndLeave(dialog, row.fieldNumber, QString::fromUtf8(row.typed));
            click(control(dialog, row.option));
            click(control(dialog, 322));  // Anzeigen
        });
        EXPECT_EQ(state_.settings.*(row.setting), row.expected) << row.fault;
    }
    EXPECT_FALSE(fs::exists(settingsFileName)) << "Anzeigen wrote the file";
}

TEST_F(SettingsDialogTest, AnzeigenTakesTheCheckBoxesOverAndPutsTheClockOnTop) {
    runDialog([&](QDialog& dialog) {
        for (int number : {308, 323, 324, 326}) click(control(dialog, number));
        click(control(dialog, 322));
    });
    EXPECT_EQ(state_.settings.autoSummerTime, 0);
    EXPECT_EQ(state_.settings.alwaysOnTop, 1);
    EXPECT_EQ(state_.settings.showShiftColors, 0);
    EXPECT_EQ(state_.settings.showSecondsHand, 1);
    EXPECT_TRUE(clockWindow_.windowFlags() & Qt::WindowStaysOnTopHint);
}

// Abbruch, Esc and Close keep the changes made at once (name, twilight, colour) and
// nothing else.
struct CancelRow {
    const char* way;
    std::function<void(QDialog&)> end;
};

TEST_F(SettingsDialogTest, CancellingKeepsExactlyNameTwilightAndColour) {
    const CancelRow ways[] = {
        {"Abbruch", [](QDialog& d) { click(control(d, 311)); }},
        {"Esc", [](QDialog& d) { sendKey(&d, Qt::Key_Escape); }},
        {"Close", [](QDialog& d) { d.close(); }},
        {"clock window's Esc", [this](QDialog&) { sendKey(&clockWindow_, Qt::Key_Escape); }},
        {"clock window's Close", [this](QDialog&) { clockWindow_.close(); }},
    };
    for (const CancelRow& way : ways) {
        state_ = ClockState{};
        colourAnswer_ = 0x123456;
        runDialog([&](QDialog& dialog) {
            typeAndLeave(dialog, 301, QStringLiteral("Ulm"));
            click(control(dialog, 315));
            click(control(dialog, 325));
            EXPECT_EQ(state_.settings.dialColor, 0x123456) << "colour not taken at once";
            typeAndLeave(dialog, 303, QStringLiteral("100"));
            click(control(dialog, 317));
            typeAndLeave(dialog, 305, QStringLiteral("10"));
            click(control(dialog, 319));
            typeAndLeave(dialog, 307, QStringLiteral("3"));
            for (int number : {308, 323, 324, 326}) click(control(dialog, number));
            way.end(dialog);
        });
        ClockSettings expected;
        expected.placeName = "Ulm";
        expected.twilightKind = 5;
        expected.dialColor = 0x123456;
        EXPECT_EQ(state_.settings, expected) << way.way;
        EXPECT_FALSE(clockWindow_.windowFlags() & Qt::WindowStaysOnTopHint) << way.way;
    }
    EXPECT_FALSE(fs::exists(settingsFileName));
}

// Going over to the clock window to press its Esc or its close button does not leave the
// name field: a half-typed name is not taken, just as with the dialog's own Esc or Close.
TEST_F(SettingsDialogTest, AHalfTypedNameIsNotTakenByCancellingFromTheClockWindow) {
    const CancelRow ways[] = {
        {"dialog's Esc", [](QDialog&) { sendKey(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"dialog's Close", [](QDialog& d) { d.close(); }},
        {"clock window's Esc", [this](QDialog&) {
             QApplication::setActiveWindow(&clockWindow_);
             sendKey(&clockWindow_, Qt::Key_Escape);
         }},
        {"clock window's Close", [this](QDialog&) {
             QApplication::setActiveWindow(&clockWindow_);
             clockWindow_.close();
         }},
    };
    for (const CancelRow& way : ways) {
        state_ = ClockState{};
        runDialog([&](QDialog& dialog) {
            QLineEdit* name = control<QLineEdit>(dialog, 301);
            ASSERT_TRUE(name->hasFocus());
            name->setText(QStringLiteral("Ul"));
            way.end(dialog);
        });
        EXPECT_EQ(state_.settings.placeName, ClockSettings{}.placeName) << way.way;
    }
}

// A value the dialog never stores is read from the file as the dialog would store it:
// opening the dialog on the raw value and pressing Anzeigen gives exactly the reader's value.
TEST_F(SettingsDialogTest, TheReadersLimitsAreWhatTheDialogStores) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double raws[] = {-1e300, 1e308, 400.99, -181.5, 210.0, 120.0, -91.07, 15.0, -20.0,
                           inf, -inf, std::numeric_limits<double>::quiet_NaN()};
    for (const double raw : raws) {
        state_ = ClockState{};
        state_.settings.longitude = raw;
        state_.settings.latitude = raw;
        state_.settings.timeZone = raw;
        runDialog([&](QDialog& dialog) { click(control(dialog, 322)); });
        const ClockSettings& stored = state_.settings;
        const auto beyond = [raw](double limit) { return !(std::fabs(raw) <= limit); };
        if (beyond(180)) {
            EXPECT_EQ(stored.longitude, angleWithinDialogLimits(raw, 180)) << raw;
        }
        if (beyond(90)) {
            EXPECT_EQ(stored.latitude, angleWithinDialogLimits(raw, 90)) << raw;
        }
        if (beyond(14)) {
            EXPECT_EQ(stored.timeZone, timeZoneWithinDialogLimits(raw)) << raw;
        }
    }
}

TEST_F(SettingsDialogTest, CancelledColourChoiceLeavesTheColour) {
    state_.settings.dialColor = 218099387;  // top byte 12 is part of the stored number
    colourAnswer_.reset();
    runDialog([&](QDialog& dialog) {
        click(control(dialog, 325));
        dialog.reject();
    });
    ASSERT_EQ(colourStarts_.size(), 1u);
    EXPECT_EQ(colourStarts_[0], 218099387) << "chooser did not start at the dial colour";
    EXPECT_EQ(state_.settings.dialColor, 218099387);
}

TEST_F(SettingsDialogTest, SpeichernWritesTheFileWithoutAMessage) {
    runDialog([&](QDialog& dialog) {
        typeAndLeave(dialog, 305, QStringLiteral("50.1"));
        click(control(dialog, 309));
    });
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(state_.settings.latitude, 50.1);
    EXPECT_EQ(loadSettings(), state_.settings);
}

TEST_F(SettingsDialogTest, FailedSaveAppliesInMemoryClosesAndSaysSo) {
    // A directory where the file belongs: no one can replace it, root included.
    fs::create_directory(settingsFileName);
    std::ofstream(fs::path(settingsFileName) / "inside") << "old";
    runDialog([&](QDialog& dialog) {
        typeAndLeave(dialog, 305, QStringLiteral("50.1"));
        click(control(dialog, 326));
        click(control(dialog, 309));
        EXPECT_FALSE(dialog.isVisible()) << "dialog still open after Speichern";
    });
    EXPECT_EQ(state_.settings.latitude, 50.1);
    EXPECT_EQ(state_.settings.showSecondsHand, 1);
    EXPECT_TRUE(fs::is_directory(settingsFileName)) << "the old entry was replaced";
    std::ifstream inside(fs::path(settingsFileName) / "inside");
    std::string old;
    inside >> old;
    EXPECT_EQ(old, "old");
    ASSERT_EQ(messages_.size(), 1u) << "a failed save reported as success";
    EXPECT_EQ(messages_[0].title, QStringLiteral("Info"));
    const QStringList lines = messages_[0].text.split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Die Einstellungen konnten nicht gespeichert werden."));
    EXPECT_FALSE(lines[1].trimmed().isEmpty()) << "no reason given";
    // Nothing but the directory is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(workDir_), fs::directory_iterator{}), 1);
}

// ---------------------------------------------------------------------------------------
// The help window

TEST_F(SettingsDialogTest, EscInTheHelpWindowLeavesTheDialogOpen) {
    const int lh = QFontMetrics(QApplication::font()).height();
    runDialog([&](QDialog& dialog) {
        const int cw = dialog.width() / 64;
        bool helpSeen = false;
        QTimer::singleShot(0, [&] {
            QDialog* help = shownWindow("infoWindow");
            ASSERT_NE(help, nullptr);
            ASSERT_NE(help, &dialog) << "Info opened no window";
            helpSeen = true;
            EXPECT_EQ(help->windowTitle(), QStringLiteral("Programmeinstellungen"));
            EXPECT_TRUE((help->windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
            EXPECT_EQ(help->size(), QSize(70 * cw, 34 * lh));
            auto* field = help->findChild<QTextEdit*>();
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->geometry(), QRect(cw, lh, 68 * cw, 32 * lh));
            EXPECT_TRUE(field->isReadOnly());
            EXPECT_EQ(field->palette().color(QPalette::Base), QColor(236, 233, 216));
            // One block per line, the no-break space kept (toPlainText would turn it into a blank).
            const QTextDocument* document = field->document();
            ASSERT_EQ(document->blockCount(), 71);
            for (int i = 0; i < 71; ++i) {
                EXPECT_EQ(document->findBlockByNumber(i).text(),
                          QString::fromStdString(std::string(helpTextLines[static_cast<std::size_t>(i)])))
                    << "line " << i + 1;
            }
            sendKey(help, Qt::Key_Escape);
        });
        click(control(dialog, 310));  // returns when help closes
        EXPECT_TRUE(helpSeen);
        EXPECT_TRUE(dialog.isVisible()) << "Esc in the help window closed the dialog";
        EXPECT_EQ(shownWindow("infoWindow"), nullptr);
        dialog.reject();
    });
}

// Presses Info and runs `drive` on the help window once its loop runs; returns when the
// help window has closed. `drive` must close it.
void withHelpOpen(QDialog& dialog, const std::function<void(QDialog& help)>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        QDialog* help = shownWindow("infoWindow");
        ASSERT_NE(help, nullptr) << "Info opened no window";
        drive(*help);
        driven = true;
        if (help->isVisible()) {
            ADD_FAILURE() << "the help window is still open";
            help->reject();
        }
    });
    click(control(dialog, 310));
    EXPECT_TRUE(driven);
}

// Esc and Close anywhere end only the newest window: with the help open they close the
// help, and the dialog and the clock stay.
TEST_F(SettingsDialogTest, EscOrCloseOfAnyWindowWhileTheHelpIsOpenClosesOnlyTheHelp) {
    const CancelRow ways[] = {
        {"help's Esc", [](QDialog& help) { sendKey(&help, Qt::Key_Escape); }},
        {"help's Close", [](QDialog& help) { help.close(); }},
        {"dialog's Esc", [](QDialog&) { sendKey(shownWindow("settingsDialog"), Qt::Key_Escape); }},
        {"dialog's Close", [](QDialog&) { shownWindow("settingsDialog")->close(); }},
        {"clock window's Esc", [this](QDialog&) { sendKey(&clockWindow_, Qt::Key_Escape); }},
        {"clock window's Close", [this](QDialog&) { clockWindow_.close(); }},
    };
    runDialog([&](QDialog& dialog) {
        for (const CancelRow& way : ways) {
            withHelpOpen(dialog, [&](QDialog& help) {
                way.end(help);
                EXPECT_FALSE(help.isVisible()) << way.way << " did not close the help";
            });
            EXPECT_TRUE(dialog.isVisible()) << way.way << " closed the dialog";
        }
        dialog.reject();
    });
}

TEST_F(SettingsDialogTest, TheDialogTakesNoInputWhileTheHelpIsOpen) {
    runDialog([&](QDialog& dialog) {
        withHelpOpen(dialog, [&](QDialog& help) {
            QLineEdit* name = control<QLineEdit>(dialog, 301);
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QApplication::sendEvent(name, &typed);
            click(control(dialog, 317));  // West
            click(control(dialog, 315));  // astronomisch
            click(control(dialog, 311));  // Abbruch
            EXPECT_TRUE(help.isVisible()) << "a click in the dialog closed the help";
            EXPECT_TRUE(dialog.isVisible()) << "Abbruch worked under the help";
            EXPECT_EQ(name->text(), QStringLiteral("Mirelstadt"));
            EXPECT_TRUE(isChecked(dialog, 316));
            EXPECT_EQ(state_.settings.twilightKind, 3);
            help.reject();
        });
        // The same click counts once the help is closed.
        click(control(dialog, 315));
        EXPECT_EQ(state_.settings.twilightKind, 5);
        dialog.reject();
    });
}

}  // namespace
}  // namespace dorvalen
