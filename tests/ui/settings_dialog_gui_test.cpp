// The settings dialog and the help window with real widgets on the offscreen platform. Each
// test opens the dialog as the clock does (its own loop) and acts on it from a
// zero-delay timer once the loop runs; the colour chooser and the message box are answered
// through the dialog's seams. Every test runs in its own temporary working directory.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSet>
#include <QScrollBar>
#include <QStyle>
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
#include <iterator>
#include <unistd.h>
#include <vector>

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
        s.askQuestion = [this](QWidget*, const QString& title, const QString& text) {
            questions_.push_back({title, text});
            return questionAnswer_;
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
        openSettingsDialog(&clockWindow_, state_, seams(), rota_);
        EXPECT_TRUE(driven);
        EXPECT_EQ(shownWindow("settingsDialog"), nullptr);
        EXPECT_EQ(shownWindow("infoWindow"), nullptr);
        EXPECT_TRUE(clockWindow_.isVisible()) << "the clock window was closed";
    }

    ClockState state_;
    ClockRotaStatus* rota_ = nullptr;  // how the clock read its rota; none: nothing known
    ClockRotaStatus rotaStatus_;       // what rota_ points to where a test sets one
    QWidget clockWindow_;
    std::vector<Message> messages_;
    std::vector<Message> questions_;
    bool questionAnswer_ = false;
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
    {332, " Schichtnamen auf dem Ring", 28, 16, 33, ""},
    {327, "Schichtplan:", 2, 18, 14, ""},
    {328, "eingebaut", 17, 18, 14, ""}, {329, "Schichtplan.txt", 31, 18, 22, ""},
    {330, "In Kraft: eingebauter Schichtplan", 2, 20, 60, ""},
    {333, "Meine Schichtgruppe:", 2, 24, 17, ""},
    {335, " Erinnerung vor Schichtbeginn", 2, 26, 27, ""},
    {337, " auch am Vorabend", 41, 26, 20,
     "Um 20 Uhr am Vorabend einer Schicht, die vor 12 Uhr beginnt"},
    {309, "Speichern", 1, 29, 13, "Speichert Koordinaten und verlässt das Eingabefenster"},
    {322, "Anzeigen", 17.5, 29, 13, "Koordinaten nur anzeigen, ohne sie zu speichern"},
    {310, "Info", 33.5, 29, 13, "Infos zur Eingabe und zum Programm"},
    {311, "Abbruch", 50, 29, 13, "Verlässt das Eingabefenster ohne Übernahme der Koordinaten"},
};

// The dialog says which rota is in force and why the file was refused; Speichern stores the
// choice beside the file and applies it, Anzeigen only applies it, Abbruch does neither.
TEST_F(SettingsDialogTest, RotaChoiceIsShownAppliedAndStoredOnlyBySpeichern) {
    std::ofstream("Schichtplan.txt")
        << "[Gruppen]\nA = #FF0000, 0\n[Plan]\nBeginn = 2024-01-01\nMuster = -\n";
    ClockRotaStatus& status = rotaStatus_;  // outlives the dialogs the fixture opens
    status.choice = RotaChoice::BuiltIn;
    status.refusal = "Schichtplan.txt, Zeile 7: unbekanntes Kürzel „X“";
    rota_ = &status;
    const auto choiceStored = [] {
        std::ifstream in(rotaChoiceFileName);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const struct {
        const char* fault;
        int option;  // 328 eingebaut, 329 Schichtplan.txt
        int endButton;
        const char* inForceShown;
        bool fileInForce;
        const char* stored;
    } rows[] = {
        {"Abbruch takes no choice over", 329, 311, "In Kraft: eingebauter Schichtplan", false, ""},
        {"Anzeigen applies the file without storing", 329, 322, "In Kraft: eingebauter Schichtplan",
         true, ""},
        {"Speichern stores and applies the built-in rota", 328, 309,
         "In Kraft: Schichtplan.txt (1 Gruppe)", false, "Schichtplan = eingebaut\r\n"},
        {"Speichern stores the file again", 329, 309, "In Kraft: eingebauter Schichtplan", true,
         "Schichtplan = Datei\r\n"},
    };
    for (const auto& row : rows) {
        runDialog([&](QDialog& dialog) {
            EXPECT_EQ(control<QLabel>(dialog, 330)->text(), QString::fromUtf8(row.inForceShown))
                << row.fault;
            if (!status.refusal.empty()) {
                EXPECT_EQ(control<QLabel>(dialog, 331)->toolTip(),
                          QString::fromStdString("Abgelehnt: " + status.refusal)) << row.fault;
            }
            control<QAbstractButton>(dialog, row.option)->click();
            control<QAbstractButton>(dialog, row.endButton)->click();
        });
        EXPECT_EQ(state_.rotaFile != nullptr, row.fileInForce) << row.fault;
        EXPECT_EQ(choiceStored(), row.stored) << row.fault;
    }
}

TEST_F(SettingsDialogTest, WindowAndControlsSitWhereTheFontUnitsPutThem) {
    const QFontMetrics metrics(QApplication::font());
    const int lh = metrics.height();
    const int fieldHeight = roundToPixel(1.5 * lh);
    runDialog([&](QDialog& dialog) {
        // cw is the width of "_", or wider where the font's letters need it.
        const int cw = dialog.width() / 64;
        EXPECT_GE(cw, metrics.horizontalAdvance(QStringLiteral("_")));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Programmeinstellungen"));
        EXPECT_EQ(dialog.size(), QSize(64 * cw, roundToPixel(31.5 * lh)));
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the dialog can be resized";
        EXPECT_EQ(dialog.parentWidget(), &clockWindow_) << "not owned by the clock window";
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);

        auto* frame = dialog.findChild<QGroupBox*>();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QStringLiteral("Optionen"));
        EXPECT_EQ(frame->geometry(), QRect(cw, lh / 2, 62 * cw, roundToPixel(27.5 * lh)));

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
                // A mnemonic's "&" is no letter on the screen, only an underline.
                EXPECT_EQ(shown.remove(u'&'), QString::fromUtf8(row.text)) << row.number;
            }
        }
        EXPECT_EQ(QApplication::focusWidget(), control(dialog, 301)) << "name not focused";
        dialog.reject();
    });
}

// What a screen reader hears: each field named by its label, the Ost/West pairs told apart,
// no leading blanks; every mnemonic letter used once; Enter in a field confirms as
// "Anzeigen", the field taken over first, and writes no file.
TEST_F(SettingsDialogTest, NamesMnemonicsAndEnterForKeyboardAndScreenReaders) {
    const std::pair<int, const char*> names[] = {
        {301, "Name:"},         {303, "Länge:"},        {305, "Breite:"},
        {307, "Zeitzone:"},     {316, "Länge Ost"},     {320, "Zeitzone Ost"},
        {321, "Zeitzone West"}, {308, "Sommerzeit automatisch"},
        {323, "Die Uhr immer im Vordergrund halten"},   {309, "Speichern"},
    };
    runDialog([&](QDialog& dialog) {
        for (const auto& [number, name] : names) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(dialog, number));
            ASSERT_NE(face, nullptr) << number;
            EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(name)) << number;
        }
        QSet<QChar> letters;
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget)) {
                EXPECT_FALSE(face->text(QAccessible::Name).startsWith(u' '))
                    << face->text(QAccessible::Name).toStdString();
            }
            QString shown;
            if (auto* label = qobject_cast<QLabel*>(widget)) shown = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) shown = button->text();
            const qsizetype at = shown.indexOf(u'&');
            if (at < 0) continue;
            EXPECT_FALSE(letters.contains(shown.at(at + 1).toLower())) << shown.toStdString();
            letters.insert(shown.at(at + 1).toLower());
        }
        EXPECT_GE(letters.size(), 16);

        auto* latitude = control<QLineEdit>(dialog, 305);
        latitude->setFocus(Qt::OtherFocusReason);
        latitude->setText(QStringLiteral("12.7"));
        auto* name = control<QLineEdit>(dialog, 301);
        name->setFocus(Qt::OtherFocusReason);
        name->setText(QStringLiteral("Entenhausen"));
        sendKey(name, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible()) << "Enter did not confirm";
    });
    EXPECT_EQ(state_.settings.placeName, "Entenhausen") << "the focused field was not taken over";
    EXPECT_EQ(state_.settings.latitude, 12.42);
    EXPECT_FALSE(fs::exists(settingsFileName)) << "Enter saved";
}

// Tab enters an option group at its selected option (the arrow keys move within the group,
// as on every desktop); otherwise it follows the order of creation.
// No text is clipped, whatever the default font and the screen's pixel ratio (ctest runs
// this again at QT_SCALE_FACTOR 1.5 and 2): a narrow "_" must not cut "West" to "Wes", and
// no control, the frame's title included, may be too low or too narrow for its text.
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
                if (!widget) continue;
                const QFontMetricsF metrics(widget->font());
                const int frameWidth = widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
                QSize needed(static_cast<int>(std::ceil(
                                 metrics.horizontalAdvance(QString::fromUtf8(row.text)))),
                             static_cast<int>(std::ceil(metrics.height())) + 2 * frameWidth);
                if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                    qobject_cast<QRadioButton*>(widget))
                    needed = needed.expandedTo(widget->sizeHint());
                const int shownWidth = std::min(widget->geometry().right() + 1, dialog.width()) -
                                       widget->x();
                EXPECT_GE(shownWidth, needed.width()) << "control " << row.number
                                                      << " clipped in \"" << family << "\"";
                EXPECT_GE(widget->height(), needed.height())
                    << "control " << row.number << " too low in \"" << family << "\"";
                EXPECT_LE(widget->geometry().bottom(), dialog.height() - 1)
                    << "control " << row.number << " below the dialog in \"" << family << "\"";
            }
            const auto* frame = dialog.findChild<QGroupBox*>();
            ASSERT_NE(frame, nullptr);
            EXPECT_GE(frame->width(), frame->sizeHint().width()) << family;
            EXPECT_LE(frame->geometry().bottom(), dialog.height() - 1) << family;
            dialog.reject();
        });
        QApplication::setFont(previous);
    }
}

TEST_F(SettingsDialogTest, TabVisitsTheControlsInCreationOrder) {
    const std::vector<int> expected = {301, 303, 316, 305, 318, 307, 320, 308, 313,
                                       323, 324, 325, 326, 332, 328, 334, 335, 336, 337,
                                       309, 322, 310, 311, 301};
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
        EXPECT_EQ(text(dialog, 307), QStringLiteral("0.00"));
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
        EXPECT_EQ(text(dialog, 307), QStringLiteral("1.00"));
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
    {"time zone above 14 not clamped", 307, "15", "14.00"},
    {"time zone below -12 not clamped", 307, "-20", "-12.00"},
    {"quarter-hour time zone rounded to one decimal", 307, "5.75", "5.75"},
    {"time zone infinity kept", 307, "-Infinity", "0.00"},
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
        for (int number : {308, 323, 324, 326, 332, 335, 337}) click(control(dialog, number));
        auto* crews = qobject_cast<QComboBox*>(control(dialog, 334));
        ASSERT_NE(crews, nullptr);
        EXPECT_EQ(crews->currentText(), QStringLiteral("keine"));
        crews->setCurrentIndex(crews->findText(QStringLiteral("Blau")));
        qobject_cast<QSpinBox*>(control(dialog, 336))->setValue(45);
        click(control(dialog, 322));
    });
    EXPECT_EQ(state_.settings.extra.myCrew, "Blau");
    EXPECT_EQ(state_.settings.extra.reminders, 1);
    EXPECT_EQ(state_.settings.extra.reminderMinutes, 45);
    EXPECT_EQ(state_.settings.extra.eveningNotice, 1);
    EXPECT_EQ(state_.settings.autoSummerTime, 0);
    EXPECT_EQ(state_.settings.alwaysOnTop, 1);
    EXPECT_EQ(state_.settings.showShiftColors, 0);
    EXPECT_EQ(state_.settings.showSecondsHand, 1);
    EXPECT_EQ(state_.settings.extra.crewLabels, 1);
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
// opening the dialog on the raw value, confirming each field's text (a trailing blank makes
// the dialog take it over) and pressing Anzeigen gives exactly the reader's value.
TEST_F(SettingsDialogTest, TheReadersLimitsAreWhatTheDialogStores) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double raws[] = {-1e300, 1e308, 400.99, -181.5, 210.0, 120.0, -91.07, 15.0, -20.0,
                           inf, -inf, std::numeric_limits<double>::quiet_NaN()};
    for (const double raw : raws) {
        state_ = ClockState{};
        state_.settings.longitude = raw;
        state_.settings.latitude = raw;
        state_.settings.timeZone = raw;
        runDialog([&](QDialog& dialog) {
            for (const int number : {303, 305, 307}) {
                QLineEdit* edit = control<QLineEdit>(dialog, number);
                edit->setText(edit->text() + QStringLiteral(" "));
            }
            click(control(dialog, 322));
        });
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

// A name the file cannot hold as typed: Speichern asks first, naming what is lost and what
// would be stored; Nein keeps the dialog open with the typed name, Ja stores the file's form.
struct StoredNameRow {
    const char* fault;
    const char* typed;
    const char* lostLine;      // the question's first line; nullptr: no question
    const char* storedName;    // what the file gives back
    const char* storedBytes;   // its Windows-1252 bytes
};

const StoredNameRow storedNameRows[] = {
    {"Łódź came back as ?ód? with no word", "Łódź",
     "Diese Zeichen des Namens kann die Einstellungsdatei nicht speichern: „Ł“, „ź“", "?ód?",
     "?\xF3" "d?"},
    {"blanks at the ends silently lost", " Ulm ",
     "Leerzeichen am Anfang oder Ende des Namens kann die Einstellungsdatei nicht speichern.",
     "Ulm", "Ulm"},
    {"a name the file holds asked about", "Bad Tölz € Œ", nullptr, "Bad Tölz € Œ",
     "Bad T\xF6lz \x80 \x8C"},
};

TEST_F(SettingsDialogTest, SpeichernAsksBeforeStoringANameTheFileCannotHold) {
    for (const StoredNameRow& row : storedNameRows) {
        for (const bool answer : {false, true}) {
            state_ = ClockState{};
            questions_.clear();
            questionAnswer_ = answer;
            fs::remove(settingsFileName);
            const QString typed = QString::fromUtf8(row.typed);
            runDialog([&](QDialog& dialog) {
                typeAndLeave(dialog, 301, typed);
                click(control(dialog, 309));
                if (row.lostLine && !answer) {
                    EXPECT_TRUE(dialog.isVisible()) << row.fault << ": Nein closed the dialog";
                    EXPECT_EQ(text(dialog, 301), typed) << row.fault << ": field changed";
                    EXPECT_FALSE(fs::exists(settingsFileName)) << row.fault;
                    dialog.reject();
                }
            });
            const std::string how = std::string(row.fault) + (answer ? ", Ja" : ", Nein");
            if (!row.lostLine) {
                EXPECT_TRUE(questions_.empty()) << how;
                EXPECT_EQ(loadSettings().placeName, row.storedName) << how;
                continue;
            }
            ASSERT_EQ(questions_.size(), 1u) << how;
            const QStringList lines = questions_[0].text.split(u'\n');
            EXPECT_EQ(questions_[0].title, QStringLiteral("Info"));
            EXPECT_EQ(lines.value(0), QString::fromUtf8(row.lostLine)) << how;
            EXPECT_TRUE(lines.contains(QStringLiteral("Gespeichert würde: „%1“")
                                           .arg(QString::fromUtf8(row.storedName))))
                << how;
            if (answer) {
                EXPECT_EQ(state_.settings.placeName, row.storedName) << how;
                std::ifstream file(settingsFileName, std::ios::binary);
                std::string firstLine;
                std::getline(file, firstLine);
                EXPECT_EQ(firstLine, std::string("Ortsname = ") + row.storedBytes + "\r") << how;
            } else {
                EXPECT_EQ(state_.settings.placeName, row.typed) << how << ": the name was lost";
            }
        }
    }
    // Anzeigen writes no file: the name stays in memory as typed, without a question.
    questions_.clear();
    runDialog([&](QDialog& dialog) {
        typeAndLeave(dialog, 301, QStringLiteral("Łódź"));
        click(control(dialog, 322));
    });
    EXPECT_TRUE(questions_.empty());
    EXPECT_EQ(state_.settings.placeName, "Łódź");
}

// ---------------------------------------------------------------------------------------
// Opening and confirming without typing changes nothing

// Every field and box with values it must keep: what the dialog itself writes, and what
// only the file or the arrow keys can leave (more decimals than a field shows, invalid
// minutes, numbers other than 0 and 1 behind a box, a name longer than 50 characters).
struct KeepRow {
    const char* fault;
    std::function<void(ClockSettings&)> set;
    bool survivesVisit;  // leaving its field untouched changes nothing either (no field rule
                         // applies to it, as to every value the dialog writes)
};

const KeepRow keepRows[] = {
    {"the defaults", [](ClockSettings&) {}, true},
    {"Nepal's zone 5.75 became 5.8", [](ClockSettings& s) { s.timeZone = 5.75; }, true},
    {"zone 8.75 became 8.8", [](ClockSettings& s) { s.timeZone = 8.75; }, true},
    {"zone 12.75 became 12.8", [](ClockSettings& s) { s.timeZone = 12.75; }, true},
    {"zone 13.75 became 13.8", [](ClockSettings& s) { s.timeZone = 13.75; }, true},
    {"west zone -9.5", [](ClockSettings& s) { s.timeZone = -9.5; }, true},
    {"zone -12", [](ClockSettings& s) { s.timeZone = -12; }, true},
    {"zone 14", [](ClockSettings& s) { s.timeZone = 14; }, true},
    {"zone 0 and Greenwich", [](ClockSettings& s) {
         s.timeZone = 0;
         s.longitude = 0;
         s.latitude = 0;
     }, true},
    {"south, west and minutes with a leading zero", [](ClockSettings& s) {
         s.longitude = 73.05;
         s.latitude = -33.09;
         s.timeZone = -3.5;
     }, true},
    {"the poles and the date line", [](ClockSettings& s) {
         s.longitude = -180;
         s.latitude = -90;
     }, true},
    {"options, boxes and colour", [](ClockSettings& s) {
         s.twilightKind = 5;
         s.autoSummerTime = 0;
         s.alwaysOnTop = 1;
         s.showShiftColors = 0;
         s.showSecondsHand = 1;
         s.dialColor = 0x00123456;
     }, true},
    {"a name with inner blanks and umlauts", [](ClockSettings& s) { s.placeName = "Bad Tölz"; },
     true},
    {"more decimals than the fields show", [](ClockSettings& s) {
         s.longitude = -12.5234;
         s.latitude = 48.4712;
         s.timeZone = 5.755;
     }, false},
    {"invalid minutes of an old arrow press", [](ClockSettings& s) { s.latitude = 48.97; },
     false},
    {"a latitude beyond the pole", [](ClockSettings& s) { s.latitude = 100; }, false},
    {"a damaged longitude", [](ClockSettings& s) { s.longitude = std::nan(""); }, false},
    {"summer time 2 (on) turned off", [](ClockSettings& s) { s.autoSummerTime = 2; }, false},
    {"shift colours 2 (on) turned off", [](ClockSettings& s) { s.showShiftColors = 2; }, false},
    {"on top 7 (on) turned off", [](ClockSettings& s) { s.alwaysOnTop = 7; }, false},
    {"seconds hand 5 (off) rewritten", [](ClockSettings& s) { s.showSecondsHand = 5; }, false},
    {"twilight kind 7 rewritten", [](ClockSettings& s) { s.twilightKind = 7; }, false},
    {"a 50-character name (the longest the file gives) cut", [](ClockSettings& s) {
         s.placeName = std::string(50, 'x');
     }, true},
};

TEST_F(SettingsDialogTest, OpeningAndConfirmingChangesNothingInMemoryOrInTheFile) {
    for (const KeepRow& row : keepRows) {
        for (const bool visitEveryField : {false, true}) {
            if (visitEveryField && !row.survivesVisit) continue;
            for (const int confirm : {322, 309}) {  // Anzeigen, Speichern
                ClockSettings stored;
                row.set(stored);
                fs::remove(settingsFileName);
                ASSERT_TRUE(saveSettings(stored).ok);
                state_ = ClockState{};
                state_.settings = stored;
                runDialog([&](QDialog& dialog) {
                    if (visitEveryField)
                        for (int number : {301, 303, 305, 307}) {
                            control(dialog, number)->setFocus(Qt::TabFocusReason);
                            sendKey(control(dialog, number), Qt::Key_Tab);
                        }
                    click(control(dialog, confirm));
                });
                const std::string how = std::string(row.fault) +
                                        (confirm == 309 ? ", Speichern" : ", Anzeigen") +
                                        (visitEveryField ? ", fields visited" : "");
                EXPECT_EQ(formatSettings(state_.settings), formatSettings(stored)) << how;
                EXPECT_EQ(state_.settings.placeName, stored.placeName) << how;
                std::ifstream file(settingsFileName, std::ios::binary);
                const std::string bytes{std::istreambuf_iterator<char>(file), {}};
                EXPECT_EQ(bytes, formatSettings(stored)) << how;
            }
        }
    }
    EXPECT_TRUE(messages_.empty());
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
            EXPECT_EQ(help->windowTitle(), QStringLiteral("Hilfe zu Dorvalen"));
            EXPECT_NE(help->windowTitle(), dialog.windowTitle());
            EXPECT_TRUE((help->windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
            EXPECT_EQ(help->size(), QSize(70 * cw, 34 * lh));
            auto* field = help->findChild<QTextEdit*>();
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->geometry(), QRect(cw, lh, 68 * cw, 32 * lh));
            EXPECT_TRUE(field->isReadOnly());
            EXPECT_EQ(field->viewport()->palette().color(QPalette::Base), QColor(236, 233, 216));
            // One block per line, the no-break space kept (toPlainText would turn it into a blank).
            const QTextDocument* document = field->document();
            ASSERT_EQ(document->blockCount(), static_cast<int>(helpLineCount));
            for (int i = 0; i < document->blockCount(); ++i) {
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

// The style caches scroll bar pixmaps per palette: scroll bars with a new palette at every
// opening would leave dead pixmaps behind each time (the clock's memory crept by megabytes).
TEST_F(SettingsDialogTest, TheHelpWindowsScrollBarsKeepTheirPaletteFromOneOpeningToTheNext) {
    runDialog([&](QDialog& dialog) {
        std::vector<qint64> keys[2];
        for (std::vector<qint64>& opening : keys) {
            withHelpOpen(dialog, [&](QDialog& help) {
                for (const QScrollBar* bar : help.findChildren<QScrollBar*>())
                    opening.push_back(bar->palette().cacheKey());
                help.reject();
            });
        }
        EXPECT_EQ(keys[0].size(), 2U);
        EXPECT_EQ(keys[0], keys[1]);
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
