// The settings dialog. Every control sits at a fixed place measured in two units of the
// system default font: cw, the width of "_", and lh, the height of "|". The dialog runs its
// own loop over the whole program (ui/window_loop.h): the clock window takes no input
// meanwhile, and its Esc and its close button end the dialog as Abbruch.
#include "ui/settings_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QColorDialog>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <span>
#include <utility>

#include "core/conversions.h"
#include "core/settings.h"
#include "ui/window_glue.h"
#include "core/codepage.h"
#include "settings/field_rules.h"
#include "settings/help_text.h"
#include "ui/info_window.h"
#include "settings/settings_file.h"
#include "rota/my_shift.h"
#include "ui/window_loop.h"

namespace dorvalen {

namespace {

// How the dialog ended. QDialog's own Rejected (0: Esc or Close here or in the clock window)
// counts as Cancel.
enum DialogResult { ResultCancel = 1, ResultShow = 2, ResultSave = 3 };

// The controls' numbers; each control is also named "control" and its number.
enum ControlId : int {
    NameLabel = 300,
    NameField = 301,
    LongitudeLabel = 302,
    LongitudeField = 303,
    LatitudeLabel = 304,
    LatitudeField = 305,
    TimeZoneLabel = 306,
    TimeZoneField = 307,
    SummerTimeBox = 308,
    SaveButton = 309,
    InfoButton = 310,
    CancelButton = 311,
    TwilightLabel = 312,
    CivilOption = 313,
    NauticalOption = 314,
    AstronomicalOption = 315,
    LongitudeEastOption = 316,
    LongitudeWestOption = 317,
    LatitudeNorthOption = 318,
    LatitudeSouthOption = 319,
    TimeZoneEastOption = 320,
    TimeZoneWestOption = 321,
    ShowButton = 322,
    OnTopBox = 323,
    ShiftColoursBox = 324,
    ColourButton = 325,
    SecondsHandBox = 326,
    RotaLabel = 327,
    RotaBuiltInOption = 328,
    RotaFileOption = 329,
    RotaInForceLabel = 330,  // its text says which rota the clock shows
    RotaRefusalLabel = 331,  // and why the file was refused, when it was
    CrewLabelsBox = 332,
    MyCrewLabel = 333,
    MyCrewBox = 334,       // "keine" or a crew of the rota in force
    RemindersBox = 335,
    ReminderMinutesBox = 336,
    EveningNoticeBox = 337,
};

enum class ControlKind { Label, Field, Option, CheckBox, Button, Choice, Minutes };

// Positions in layout units: x and width in cw, y in lh; every control is one field height
// high, and labels sit the label offset lower than their fields so the texts line up.
struct ControlRow {
    int number;
    ControlKind kind;
    const char* text;  // UTF-8
    double xCw, yLh, widthCw;
    const char* tooltip;
};

using K = ControlKind;
constexpr int dialogWidthCw = 64;
// Creation order is the Tab order.
constexpr ControlRow controlRows[] = {
    {NameLabel, K::Label, "Name:", 2, 2, 8, nullptr},
    {NameField, K::Field, "", 11, 2, 50, nullptr},
    {LongitudeLabel, K::Label, "Länge:", 2, 4, 8, nullptr},
    {LongitudeField, K::Field, "", 11, 4, 8, nullptr},
    {LongitudeEastOption, K::Option, "Ost", 21, 4, 7, nullptr},
    {LongitudeWestOption, K::Option, "West", 31, 4, 7, nullptr},
    {LatitudeLabel, K::Label, "Breite:", 2, 6, 8, nullptr},
    {LatitudeField, K::Field, "", 11, 6, 8, nullptr},
    {LatitudeNorthOption, K::Option, "Nord", 21, 6, 7, nullptr},
    {LatitudeSouthOption, K::Option, "Süd", 31, 6, 7, nullptr},
    {TimeZoneLabel, K::Label, "Zeitzone:", 2, 8, 8, nullptr},
    {TimeZoneField, K::Field, "", 11, 8, 8, nullptr},
    {TimeZoneEastOption, K::Option, "Ost", 21, 8, 7, nullptr},
    {TimeZoneWestOption, K::Option, "West", 31, 8, 7, nullptr},
    {SummerTimeBox, K::CheckBox, " Sommerzeit automatisch", 41, 8, 25, nullptr},
    {TwilightLabel, K::Label, "Dämmerung:", 2, 10, 12, nullptr},
    {CivilOption, K::Option, "bürgerlich", 17, 10, 14, nullptr},
    {NauticalOption, K::Option, "nautisch", 31, 10, 14, nullptr},
    {AstronomicalOption, K::Option, "astronomisch", 45, 10, 14, nullptr},
    {OnTopBox, K::CheckBox, " Die Uhr immer im Vordergrund halten", 2, 12, 25, nullptr},
    {ShiftColoursBox, K::CheckBox, " Schichtfarben des Ziffernblattes ein", 2, 14, 25, nullptr},
    {ColourButton, K::Button, "Farbe", 28, 14, 8, "Farbe des Ziffernblattes wählen"},
    {SecondsHandBox, K::CheckBox, " Sekundenzeiger ein", 2, 16, 25, nullptr},
    {CrewLabelsBox, K::CheckBox, " Schichtnamen auf dem Ring", 28, 16, 33, nullptr},
    {RotaLabel, K::Label, "Schichtplan:", 2, 18, 14, nullptr},
    {RotaBuiltInOption, K::Option, "eingebaut", 17, 18, 14, nullptr},
    {RotaFileOption, K::Option, "Schichtplan.txt", 31, 18, 22, nullptr},
    {RotaInForceLabel, K::Label, "", 2, 20, 60, nullptr},
    {RotaRefusalLabel, K::Label, "", 2, 22, 60, nullptr},
    {MyCrewLabel, K::Label, "Meine Schichtgruppe:", 2, 24, 17, nullptr},
    {MyCrewBox, K::Choice, "", 20, 24, 18,
     "Ihre Gruppe: ihre Schichten werden auf dem Ring markiert"},
    {RemindersBox, K::CheckBox, " Erinnerung vor Schichtbeginn", 2, 26, 27, nullptr},
    {ReminderMinutesBox, K::Minutes, "", 30, 26, 10, "Minuten vor Schichtbeginn"},
    {EveningNoticeBox, K::CheckBox, " auch am Vorabend", 41, 26, 20,
     "Um 20 Uhr am Vorabend einer Schicht, die vor 12 Uhr beginnt"},
    {SaveButton, K::Button, "Speichern", 1, 29, 13,
     "Speichert Koordinaten und verlässt das Eingabefenster"},
    {ShowButton, K::Button, "Anzeigen", 17.5, 29, 13,
     "Koordinaten nur anzeigen, ohne sie zu speichern"},
    {InfoButton, K::Button, "Info", 33.5, 29, 13, "Infos zur Eingabe und zum Programm"},
    {CancelButton, K::Button, "Abbruch", 50, 29, 13,
     "Verlässt das Eingabefenster ohne Übernahme der Koordinaten"},
};

// Keyboard mnemonics: the text with "&" before the underlined letter (Alt and the letter).
// Only an underline is added; the letters stay as the table has them. A label's letter
// moves the focus to its buddy field; the hemisphere options are reached from there.
struct MnemonicRow {
    int number;
    const char* marked;  // UTF-8
};
constexpr MnemonicRow mnemonicRows[] = {
    {NameLabel, "&Name:"},
    {LongitudeLabel, "&Länge:"},
    {LatitudeLabel, "&Breite:"},
    {TimeZoneLabel, "&Zeitzone:"},
    {TwilightLabel, "&Dämmerung:"},
    {SummerTimeBox, " &Sommerzeit automatisch"},
    {OnTopBox, " Die Uhr immer im &Vordergrund halten"},
    {ShiftColoursBox, " Sc&hichtfarben des Ziffernblattes ein"},
    {ColourButton, "&Farbe"},
    {SecondsHandBox, " Se&kundenzeiger ein"},
    {CrewLabelsBox, " Schichtna&men auf dem Ring"},
    {RotaLabel, "Schich&tplan:"},
    {MyCrewLabel, "Meine Schichtgr&uppe:"},
    {RemindersBox, " &Erinnerung vor Schichtbeginn"},
    {EveningNoticeBox, " au&ch am Vorabend"},
    {SaveButton, "S&peichern"},
    {ShowButton, "&Anzeigen"},
    {InfoButton, "&Info"},
    {CancelButton, "Abb&ruch"},
};

// Each label names the field (or, for Dämmerung, the option group) beside it.
constexpr std::pair<int, int> buddies[] = {{NameLabel, NameField},
                                           {LongitudeLabel, LongitudeField},
                                           {LatitudeLabel, LatitudeField},
                                           {TimeZoneLabel, TimeZoneField},
                                           {TwilightLabel, CivilOption},
                                           {RotaLabel, RotaBuiltInOption},
                                           {MyCrewLabel, MyCrewBox}};

// The two Ost/West pairs read alike: a screen reader hears which value each belongs to.
// The minutes box has no label of its own; its name says what it counts.
constexpr std::pair<int, const char*> optionNames[] = {
    {ReminderMinutesBox, "Minuten vor Schichtbeginn"},
    {LongitudeEastOption, "Länge Ost"},   {LongitudeWestOption, "Länge West"},
    {LatitudeNorthOption, "Breite Nord"}, {LatitudeSouthOption, "Breite Süd"},
    {TimeZoneEastOption, "Zeitzone Ost"}, {TimeZoneWestOption, "Zeitzone West"},
};

// Exclusive option groups; the position in a group is what the option means.
constexpr int longitudeOptions[] = {LongitudeEastOption, LongitudeWestOption};
constexpr int latitudeOptions[] = {LatitudeNorthOption, LatitudeSouthOption};
constexpr int timeZoneOptions[] = {TimeZoneEastOption, TimeZoneWestOption};
constexpr int twilightOptions[] = {CivilOption, NauticalOption, AstronomicalOption};
constexpr int rotaOptions[] = {RotaBuiltInOption, RotaFileOption};
constexpr int firstTwilightKind = 3;  // bürgerlich; nautisch and astronomisch follow
// Quarter-hour zones (5.75, 12.75) need both decimals; with one, confirming the dialog
// would move them to 5.8 and every time on the face by three minutes.
constexpr int timeZoneDecimals = 2;

const QString infoTitle = QStringLiteral("Info");

std::int32_t packColour(const QColor& c) { return c.red() + c.green() * 256 + c.blue() * 65536; }

QColor unpackColour(std::int32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void showInfoMessage(const SettingsDialogSeams& seams, QWidget* parent, const QString& text) {
    if (seams.showMessage)
        seams.showMessage(parent, infoTitle, text);
    else
        QMessageBox::information(parent, infoTitle, text);
}

bool askYesNo(const SettingsDialogSeams& seams, QWidget* parent, const QString& text) {
    if (seams.askQuestion) return seams.askQuestion(parent, infoTitle, text);
    QMessageBox box(QMessageBox::Question, infoTitle, text, QMessageBox::NoButton, parent);
    const QAbstractButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

// Says what the settings file would make of the name: the characters it has no byte for,
// the blanks it drops at the ends, and the name it would give back.
QString nameLossText(const std::string& name, const std::string& stored) {
    QStringList lines;
    QStringList lost;
    for (const std::string& character : unstorableCharacters(name))
        lost << QStringLiteral("„%1“").arg(QString::fromStdString(character));
    if (!lost.isEmpty())
        lines << QStringLiteral("Diese Zeichen des Namens kann die Einstellungsdatei nicht "
                                "speichern: ") +
                     lost.join(QStringLiteral(", "));
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (!name.empty() && (blank(name.front()) || blank(name.back())))
        lines << QStringLiteral("Leerzeichen am Anfang oder Ende des Namens kann die "
                                "Einstellungsdatei nicht speichern.");
    if (lines.isEmpty())
        lines << QStringLiteral("Die Einstellungsdatei kann den Namen nicht so speichern, wie "
                                "er eingegeben ist.");
    lines << QStringLiteral("Gespeichert würde: „%1“").arg(QString::fromStdString(stored));
    lines << QStringLiteral("Den Namen so ersetzen und speichern?");
    return lines.join(u'\n');
}

QString fieldText(double value, int decimals) {
    return QString::fromStdString(formatFieldNumber(value, decimals));
}

class SettingsDialog : public QDialog {
public:
    SettingsDialog(QWidget* clockWindow, ClockState& state, const SettingsDialogSeams& seams,
                   const ClockRotaStatus& rota);

    void takeOver(int result);
    RotaChoice chosenRota() const {
        return checked(RotaBuiltInOption) ? RotaChoice::BuiltIn : RotaChoice::File;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void createControls();
    void makeAccessible();
    void leaveFocusedField();
    int fittingCharWidth(int underscoreWidth) const;
    void placeControls();
    void setInitialStates();
    void connectActions();
    void leaveField(int number);
    void chooseDialColour();
    bool nameCanBeStored();

    QLineEdit* field(int number) const { return static_cast<QLineEdit*>(controls_.at(number)); }
    QAbstractButton* button(int number) const {
        return static_cast<QAbstractButton*>(controls_.at(number));
    }
    bool checked(int number) const { return button(number)->isChecked(); }
    bool leftAsShown(std::initializer_list<int> numbers) const;

    QWidget* clockWindow_;
    ClockState& state_;
    SettingsDialogSeams seams_;
    ClockRotaStatus rota_;
    int cw_ = 0;
    int lh_ = 0;
    QGroupBox* frame_ = nullptr;
    std::map<int, QWidget*> controls_;
    bool ending_ = false;     // the result is decided: focus changes no longer count
    bool inFieldRule_ = false;  // a field rule's message box is open
    // What the fields and buttons showed at opening.
    std::map<int, QString> shownTexts_;
    std::map<int, bool> shownChecks_;
    QString shownCrew_;
    int shownMinutes_ = 0;
};

SettingsDialog::SettingsDialog(QWidget* clockWindow, ClockState& state,
                               const SettingsDialogSeams& seams, const ClockRotaStatus& rota)
    : QDialog(clockWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      clockWindow_(clockWindow), state_(state), seams_(seams), rota_(rota) {
    const QFontMetrics metrics(QApplication::font());
    lh_ = metrics.size(Qt::TextSingleLine, QStringLiteral("|")).height();

    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("Programmeinstellungen"));

    createControls();
    cw_ = fittingCharWidth(metrics.horizontalAdvance(QStringLiteral("_")));
    placeControls();
    setInitialStates();
    connectActions();
    field(NameField)->setFocus(Qt::OtherFocusReason);
}

// The table's widths assume a font whose letters are no wider than its "_". Many fonts
// have a narrow underscore; then cw grows just enough that every text fits its control,
// and the whole layout scales with it instead of clipping "West" to "Wes".
int SettingsDialog::fittingCharWidth(int underscoreWidth) const {
    int cw = std::max(underscoreWidth, 1);
    for (const ControlRow& row : controlRows) {
        const QWidget* control = controls_.at(row.number);
        int needed = 0;
        if (row.kind == K::Button) {
            // A push button's size hint has a style minimum far wider than its text.
            const QStyle* style = control->style();
            needed = control->fontMetrics().horizontalAdvance(QString::fromUtf8(row.text)) +
                     2 * style->pixelMetric(QStyle::PM_ButtonMargin) +
                     2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        } else if (row.kind != K::Field) {
            needed = control->sizeHint().width();
        }
        // The least whole cw that shows the text; a control reaching past the dialog's
        // right edge (the summer-time box does) shows only its part inside.
        const double shownCw = std::min(row.widthCw, dialogWidthCw - row.xCw);
        cw = std::max(cw, roundToPixel(std::ceil(needed / shownCw)));
    }
    return cw;
}

void SettingsDialog::createControls() {
    frame_ = new QGroupBox(QStringLiteral("Optionen"), this);

    QWidget* previousInTabOrder = nullptr;
    for (const ControlRow& row : controlRows) {
        const QString text = QString::fromUtf8(row.text);
        QWidget* control = nullptr;
        switch (row.kind) {
            case K::Label: control = new QLabel(text, this); break;
            case K::Field: control = new QLineEdit(this); break;
            case K::Option: control = new QRadioButton(text, this); break;
            case K::CheckBox: control = new QCheckBox(text, this); break;
            case K::Choice: control = new QComboBox(this); break;
            case K::Minutes: {
                auto* minutes = new QSpinBox(this);
                minutes->setRange(1, 720);
                minutes->setSuffix(QStringLiteral(" Min."));
                control = minutes;
                break;
            }
            case K::Button: {
                // Enter presses the focused button, elsewhere "Anzeigen" (see below).
                auto* push = new QPushButton(text, this);
                push->setAutoDefault(true);
                control = push;
                break;
            }
        }
        control->setObjectName(QStringLiteral("control%1").arg(row.number));
        if (row.tooltip) control->setToolTip(QString::fromUtf8(row.tooltip));
        if (row.kind == K::Field) control->installEventFilter(this);
        if (row.kind != K::Label) {
            if (previousInTabOrder) QWidget::setTabOrder(previousInTabOrder, control);
            previousInTabOrder = control;
        }
        controls_[row.number] = control;
    }

    makeAccessible();

    const std::span<const int> exclusiveGroups[] = {longitudeOptions, latitudeOptions,
                                                    timeZoneOptions, twilightOptions, rotaOptions};
    for (const std::span<const int> group : exclusiveGroups) {
        auto* exclusive = new QButtonGroup(this);
        for (int number : group) exclusive->addButton(button(number));
    }
}

// Mnemonics, buddies and names for screen readers. The table's texts keep their leading
// blanks on the screen; the names do without them (and without the mnemonic's "&").
void SettingsDialog::makeAccessible() {
    for (const MnemonicRow& row : mnemonicRows) {
        const QString marked = QString::fromUtf8(row.marked);
        QWidget* control = controls_.at(row.number);
        if (auto* label = qobject_cast<QLabel*>(control)) label->setText(marked);
        if (auto* box = qobject_cast<QAbstractButton*>(control)) box->setText(marked);
        QString name = marked;
        control->setAccessibleName(name.remove(u'&').trimmed());
    }
    for (const auto& [label, field] : buddies)
        static_cast<QLabel*>(controls_.at(label))->setBuddy(controls_.at(field));
    for (const auto& [number, name] : optionNames)
        controls_.at(number)->setAccessibleName(QString::fromUtf8(name));
    // Enter confirms as "Anzeigen": the entries are taken over without writing the file, so
    // an Enter meant for something else never overwrites the stored settings.
    static_cast<QPushButton*>(controls_.at(ShowButton))->setDefault(true);
}

void SettingsDialog::placeControls() {
    setFixedSize(dialogWidthCw * cw_, roundToPixel(31.5 * lh_));
    frame_->setGeometry(cw_, lh_ / 2, 62 * cw_, roundToPixel(27.5 * lh_));
    const int fieldHeight = roundToPixel(1.5 * lh_);
    const int labelOffset = roundToPixel(0.3 * lh_);
    for (const ControlRow& row : controlRows) {
        const int y = roundToPixel(row.yLh * lh_) + (row.kind == K::Label ? labelOffset : 0);
        controls_.at(row.number)
            ->setGeometry(roundToPixel(row.xCw * cw_), y, roundToPixel(row.widthCw * cw_),
                          fieldHeight);
    }
}

void SettingsDialog::setInitialStates() {
    const ClockSettings& s = state_.settings;
    field(NameField)->setText(QString::fromStdString(s.placeName));

    // The fields show magnitudes; the options carry the sign. NaN selects neither option.
    field(LongitudeField)->setText(fieldText(std::fabs(s.longitude), 2));
    button(LongitudeEastOption)->setChecked(s.longitude < 0);
    button(LongitudeWestOption)->setChecked(s.longitude >= 0);
    field(LatitudeField)->setText(fieldText(std::fabs(s.latitude), 2));
    button(LatitudeNorthOption)->setChecked(s.latitude >= 0);
    button(LatitudeSouthOption)->setChecked(s.latitude < 0);
    field(TimeZoneField)->setText(fieldText(std::fabs(s.timeZone), timeZoneDecimals));
    button(TimeZoneEastOption)->setChecked(s.timeZone > 0);
    button(TimeZoneWestOption)->setChecked(s.timeZone <= 0);

    button(SummerTimeBox)->setChecked(s.autoSummerTime == 1);
    // A kind other than 3, 4 or 5 (possible from the file) selects no option.
    for (int i = 0; i < 3; ++i)
        button(twilightOptions[i])->setChecked(s.twilightKind == firstTwilightKind + i);
    button(OnTopBox)->setChecked(s.alwaysOnTop == 1);
    if (desktopKeepsOnTop()) {
        // The box still shows the stored value, which confirming the dialog keeps; it only
        // cannot be changed, and says why and what the desktop offers instead.
        const QString why = QString::fromUtf8(desktopOnTopHint.data(),
                                              static_cast<qsizetype>(desktopOnTopHint.size()));
        button(OnTopBox)->setEnabled(false);
        button(OnTopBox)->setToolTip(why);
        button(OnTopBox)->setAccessibleDescription(why);
    }
    button(ShiftColoursBox)->setChecked(s.showShiftColors == 1);
    button(SecondsHandBox)->setChecked(showsSecondsHand(s));
    button(CrewLabelsBox)->setChecked(s.extra.crewLabels == 1);
    button(RotaBuiltInOption)->setChecked(rota_.choice == RotaChoice::BuiltIn);
    button(RotaFileOption)->setChecked(rota_.choice == RotaChoice::File);
    auto* inForce = static_cast<QLabel*>(controls_.at(RotaInForceLabel));
    inForce->setText(QString::fromStdString("In Kraft: " + rotaInForceText(state_)));
    // The reason may be longer than the line: cut with "…", whole in the tooltip.
    if (!rota_.refusal.empty()) {
        auto* refusal = static_cast<QLabel*>(controls_.at(RotaRefusalLabel));
        const QString text = QString::fromStdString("Abgelehnt: " + rota_.refusal);
        refusal->setText(refusal->fontMetrics().elidedText(text, Qt::ElideRight, refusal->width()));
        refusal->setToolTip(text);
    }

    // My crew: "keine", the crews of the rota in force, and a stored name that rota does not
    // know (kept as it is unless the user picks another).
    auto* crews = static_cast<QComboBox*>(controls_.at(MyCrewBox));
    const ShiftRota rota(state_.rotaFile);
    crews->addItem(QStringLiteral("keine"), QString());
    for (int crew = 0; crew < rota.crewCount(); ++crew) {
        const QString name = QString::fromStdString(rota.crew(crew).name);
        crews->addItem(name, name);
    }
    const QString stored = QString::fromStdString(s.extra.myCrew);
    const std::optional<int> known = myCrewIn(rota, s.extra);
    if (stored.isEmpty())
        crews->setCurrentIndex(0);
    else if (known)
        crews->setCurrentIndex(*known + 1);
    else {
        crews->addItem(stored + QStringLiteral(" (nicht im Schichtplan)"), stored);
        crews->setCurrentIndex(crews->count() - 1);
    }
    shownCrew_ = crews->currentData().toString();
    button(RemindersBox)->setChecked(s.extra.reminders == 1);
    button(EveningNoticeBox)->setChecked(s.extra.eveningNotice == 1);
    static_cast<QSpinBox*>(controls_.at(ReminderMinutesBox))
        ->setValue(reminderRules(s.extra).leadMinutes);
    shownMinutes_ = reminderRules(s.extra).leadMinutes;

    for (const ControlRow& row : controlRows) {
        if (row.kind == K::Field) shownTexts_[row.number] = field(row.number)->text();
        if (row.kind == K::Option || row.kind == K::CheckBox)
            shownChecks_[row.number] = checked(row.number);
    }
}

// True when every one of the controls still shows what it showed at opening.
bool SettingsDialog::leftAsShown(std::initializer_list<int> numbers) const {
    return std::all_of(numbers.begin(), numbers.end(), [this](int number) {
        const auto text = shownTexts_.find(number);
        if (text != shownTexts_.end()) return field(number)->text() == text->second;
        return checked(number) == shownChecks_.at(number);
    });
}

void SettingsDialog::connectActions() {
    connect(button(SaveButton), &QAbstractButton::clicked, this, [this] {
        leaveFocusedField();
        if (nameCanBeStored()) done(ResultSave);
    });
    connect(button(ShowButton), &QAbstractButton::clicked, this, [this] {
        leaveFocusedField();
        done(ResultShow);
    });
    connect(button(CancelButton), &QAbstractButton::clicked, this, [this] { done(ResultCancel); });
    connect(button(InfoButton), &QAbstractButton::clicked, this,
            [this] { showInfoWindow(clockWindow_ ? clockWindow_ : this, cw_, lh_); });
    connect(button(ColourButton), &QAbstractButton::clicked, this, [this] { chooseDialColour(); });
    // The twilight kind changes at once and stays changed whatever ends the dialog.
    for (int i = 0; i < 3; ++i) {
        connect(button(twilightOptions[i]), &QAbstractButton::toggled, this, [this, i](bool on) {
            if (on) state_.settings.twilightKind = firstTwilightKind + i;
        });
    }
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !ending_ && !inFieldRule_) {
        // A context menu takes the focus only for a moment, and going over to another window
        // (to press the clock's Esc or close button, say) keeps the caret in the field for
        // the return: neither leaves the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            for (const auto& [number, control] : controls_)
                if (control == watched) leaveField(number);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter or a mnemonic presses a button while the caret is still in a field: the field is
// taken over as if it had been left first (a click would have moved the focus anyway).
void SettingsDialog::leaveFocusedField() {
    for (const ControlRow& row : controlRows)
        if (row.kind == K::Field && field(row.number)->hasFocus()) leaveField(row.number);
}

void SettingsDialog::leaveField(int number) {
    QLineEdit* edit = field(number);
    const std::string text = edit->text().toStdString();
    switch (number) {
        case NameField: {
            // The stored name as it stands (a longer one from the file included) stays.
            if (text == state_.settings.placeName) break;
            const std::string name = cutPlaceName(text);
            state_.settings.placeName = name;
            if (name.size() != text.size()) {
                edit->setText(QString::fromStdString(name));
                inFieldRule_ = true;
                showInfoMessage(seams_, this,
                                QStringLiteral("Die Länge des Namens wurde auf 50 Zeichen gekürzt!"));
                inFieldRule_ = false;
            }
            break;
        }
        case LongitudeField: edit->setText(fieldText(parseAngleField(text, longitudeBound), 2)); break;
        case LatitudeField: edit->setText(fieldText(parseAngleField(text, latitudeBound), 2)); break;
        case TimeZoneField: edit->setText(fieldText(parseTimeZoneField(text), timeZoneDecimals)); break;
        default: break;
    }
}

void SettingsDialog::chooseDialColour() {
    std::optional<std::int32_t> chosen;
    if (seams_.chooseColour) {
        chosen = seams_.chooseColour(this, state_.settings.dialColor);
    } else {
        const QColor colour = QColorDialog::getColor(unpackColour(state_.settings.dialColor), this);
        if (colour.isValid()) chosen = packColour(colour);
    }
    if (chosen) state_.settings.dialColor = *chosen;  // a cancelled chooser changes nothing
}

// The file holds the name in Windows-1252 and without blanks at its ends. When it would
// give back another name, the user decides first: Ja stores that name, Nein goes back to
// the field, which keeps what was typed.
bool SettingsDialog::nameCanBeStored() {
    ClockSettings& s = state_.settings;
    const std::string stored = parseSettings(formatSettings(s)).placeName;
    if (stored == s.placeName) return true;
    if (!askYesNo(seams_, this, nameLossText(s.placeName, stored))) {
        field(NameField)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    s.placeName = stored;
    field(NameField)->setText(QString::fromStdString(stored));
    return true;
}

void SettingsDialog::done(int result) {
    ending_ = true;  // hiding moves the focus; that is not the user leaving a field
    QDialog::done(result);
}

// Coordinates and time zone carry the sign of the selected option, whatever sign was typed:
// east, south and west of Greenwich (for the time zone) are negative.
double signedByOption(double value, bool negativeSide, bool positiveSide) {
    if ((negativeSide && value > 0) || (positiveSide && value < 0)) return -value;
    return value;
}

// A value whose controls the user left as they were shown is kept exactly: the fields show
// it rounded, and a box shows only whether a number the file may hold is 1. So opening the
// dialog and confirming it changes nothing.
void SettingsDialog::takeOver(int result) {
    if (result != ResultShow && result != ResultSave) return;
    ClockSettings& s = state_.settings;
    if (!leftAsShown({LongitudeField, LongitudeEastOption, LongitudeWestOption}))
        s.longitude = signedByOption(
            parseAngleField(field(LongitudeField)->text().toStdString(), longitudeBound), checked(LongitudeEastOption),
            checked(LongitudeWestOption));
    if (!leftAsShown({LatitudeField, LatitudeNorthOption, LatitudeSouthOption}))
        s.latitude = signedByOption(
            parseAngleField(field(LatitudeField)->text().toStdString(), latitudeBound), checked(LatitudeSouthOption),
            checked(LatitudeNorthOption));
    if (!leftAsShown({TimeZoneField, TimeZoneEastOption, TimeZoneWestOption}))
        s.timeZone = signedByOption(parseTimeZoneField(field(TimeZoneField)->text().toStdString()),
                                    checked(TimeZoneWestOption), checked(TimeZoneEastOption));
    if (!leftAsShown({SummerTimeBox})) s.autoSummerTime = checked(SummerTimeBox) ? 1 : 0;
    if (!leftAsShown({OnTopBox})) s.alwaysOnTop = checked(OnTopBox) ? 1 : 0;
    if (clockWindow_) applyAlwaysOnTop(clockWindow_, s.alwaysOnTop != 0);
    if (!leftAsShown({ShiftColoursBox})) s.showShiftColors = checked(ShiftColoursBox) ? 1 : 0;
    if (!leftAsShown({SecondsHandBox})) s.showSecondsHand = checked(SecondsHandBox) ? 1 : 0;
    if (!leftAsShown({CrewLabelsBox})) s.extra.crewLabels = checked(CrewLabelsBox) ? 1 : 0;
    const QString crew = static_cast<QComboBox*>(controls_.at(MyCrewBox))->currentData().toString();
    if (crew != shownCrew_) s.extra.myCrew = crew.toStdString();
    if (!leftAsShown({RemindersBox})) s.extra.reminders = checked(RemindersBox) ? 1 : 0;
    if (!leftAsShown({EveningNoticeBox})) s.extra.eveningNotice = checked(EveningNoticeBox) ? 1 : 0;
    const int minutes = static_cast<QSpinBox*>(controls_.at(ReminderMinutesBox))->value();
    if (minutes != shownMinutes_) s.extra.reminderMinutes = minutes;
}

}  // namespace

void openSettingsDialog(QWidget* clockWindow, ClockState& state, const SettingsDialogSeams& seams,
                        ClockRotaStatus* rota) {
    int result = ResultCancel;
    ClockRotaStatus shown = rota != nullptr ? *rota : ClockRotaStatus{};
    RotaChoice chosen = shown.choice;
    {
        SettingsDialog dialog(clockWindow, state, seams, shown);
        result = runWindowLoop(dialog);
        dialog.takeOver(result);
        chosen = dialog.chosenRota();
    }
    if (result != ResultSave && result != ResultShow) return;
    if (chosen != shown.choice) {
        // Saved, the choice holds for the next start and for the tools; shown, only until
        // the next Home.
        if (result == ResultSave) {
            const WriteResult stored = storeRotaChoice(chosen);
            if (!stored.ok)
                showInfoMessage(
                    seams, clockWindow,
                    QStringLiteral("Die Wahl des Schichtplans konnte nicht gespeichert werden.\n") +
                        QString::fromStdString(stored.reason));
        }
        reloadClockRota(state, shown, chosen);
        if (rota != nullptr) *rota = shown;
    }
    if (result != ResultSave) return;

    // The settings stay applied in memory either way; the user must know they are not stored.
    const SaveResult saved = saveSettings(state.settings);
    if (saved.ok) return;
    const QString text = QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.\n") +
                         QString::fromStdString(saved.reason.empty() ? "Unbekannter Fehler."
                                                                     : saved.reason);
    showInfoMessage(seams, clockWindow, text);
}

}  // namespace dorvalen
