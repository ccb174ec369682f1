// The help text of the info window: the program, the keys, the dial and every setting, in
// German. Kept as UTF-8 like every other text in memory; the Windows-1252 form with CR LF
// is made on request.
#include "settings/help_text.h"

#include "core/version.h"
#include "core/codepage.h"

namespace dorvalen {

// The version from the build, one number as the tools report it.
const std::string versionLine = std::string("Version: ") + programVersion;

// One row per line. Line 74 holds a no-break space between "18" and "Grad". Lines 3 to 5
// name no person and no address: the project has none to give.
const std::array<std::string_view, helpLineCount> helpTextLines = {
    "Dorvalen",
    versionLine,
    "Autor: Das Dorvalen-Team",
    "Homepage: keine",
    "E-Mail: keine",
    "",
    "Tastatur",
    "'+' der Zahlentastatur = angezeigte Zeit etwa 5 Minuten vor (1/275 Tag)",
    "'-' der Zahlentastatur = angezeigte Zeit etwa 5 Minuten zurück (1/275 Tag)",
    "'*' der Zahlentastatur = 1 Tag vor",
    "'/' der Zahlentastatur = 1 Tag zurück",
    "'+' bzw. '-' der Haupttastatur, auch mit Umschalttaste = wie '+' bzw. '-' der Zahlentastatur",
    "'Bild auf' bzw. 'Page Up' = 1 Tag vor",
    "'Bild ab' bzw. 'Page Down' = 1 Tag zurück",
    "'Pos1' bzw. 'Home' = Sprung zum aktuellen Tag und Laden der gespeicherten Einstellungen",
    "'E' = Einstellungen",
    "'F12' = Uhr ist immer im Vordergrund",
    "'Esc' = Uhr beenden, ohne zu speichern (in diesem Fenster: Fenster schließen)",
    "'Pfeil links' = Ort 1° nach Westen (Längengrad + 1°)",
    "'Pfeil rechts' = Ort 1° nach Osten (Längengrad - 1°)",
    "'Pfeil oben' = Breitengrad + 0°30'",
    "'Pfeil unten' = Breitengrad - 0°30'",
    "",
    "Schichtfarben",
    "Es wird immer die aktuelle Schichtfarbe und die beiden folgenden Schichtfarben angezeigt.",
    "",
    "Mondphase",
    "Die Anzeige der grafisch dargestellten Mondphase wird laufend aktualisiert.",
    "",
    "Auf- und Untergang",
    "Es werden die Auf- und Untergangszeiten für den aktuellen Tag zwischen 0:00 Uhr und 24:00 Uhr",
    "angezeigt. Auch wenn z.B. das gelbe Kreissegment des aufgegangenen Mondes über die Mitternacht",
    "geht, wird die Sichtbarkeit des aktuellen Tages und nicht die Sichtbarkeit am Folgetag angezeigt.",
    "Um die Auf- und Untergangszeiten berechnen zu können, sind die Koordinaten des Ortes notwendig.",
    "Voreingestellt sind die Koordinaten von Mirelstadt, Länge 12.52 Ost, Breite 48.47 Nord.",
    "",
    "Name",
    "Der Name des Ortes kann eine Länge von bis zu 50 Zeichen haben.",
    "",
    "Breitengrad",
    "Das Eingabeformat der geografischen Breite ist Grad und Minuten. Der Eingabebereich des",
    "Breitengrades geht von -90° bis  90°. Werden mehr als 90° eingegeben, wird die Zahl zurückgerechnet.",
    "So ergibt z.B. die Eingabe von einer Breite von 120° die Ausgabe von 30°. Wird eine Nachkommastelle",
    "größer gleich 60 eingegeben, so wird diese als Dezimalzahl interpretiert und in Minuten umgerechnet.",
    "Eine Eingabe von 12.7 wird z.B. in 12.42 umgerechnet.",
    "",
    "Längengrad",
    "Das Eingabeformat der geografischen Länge ist Grad und Minuten. Der Eingabebereich des Längengrades",
    "geht von -180° bis 180°. Werden mehr als 180° eingegeben, wird die Zahl zurückgerechnet. So ergibt",
    "z.B. die Eingabe von einer Länge von 210° die Ausgabe von 30°. Wird eine Nachkommastelle größer",
    "gleich 60 eingegeben, so wird diese als Dezimalzahl interpretiert und in Minuten umgerechnet. Eine",
    "Eingabe von 12.7 wird z.B. in 12.42 umgerechnet.",
    "",
    "Zeitzone",
    "Das Eingabeformat der Zeitzone ist Stunde und Stundenbruchteil als Dezimalzahl. Eine Eingabe von",
    "z.B. 1.5 entspricht also 1 Stunde und 30 Minuten. Der Eingabebereich erstreckt sich von -12 bis 14",
    "Stunden.",
    "",
    "Sommerzeit",
    "Wird das Häkchen für die automatische Sommerzeit gesetzt, so wird bei der Ausgabe zwischen dem",
    "letzten Sonntag im März und dem letzten Sonntag im Oktober eine Stunde hinzu gezählt.",
    "",
    "Bürgerliche Dämmerung",
    "Die bürgerliche Dämmerung beginnt mit dem Sonnenuntergang und endet, wenn der Mittelpunkt der",
    "Sonne 6° unter dem wahren Horizont steht. Am Ende der Dämmerung kann man, ein gutes Auge",
    "vorausgesetzt, die hellsten Sterne bereits erkennen.",
    "",
    "Nautische Dämmerung",
    "Die nautische Dämmerung endet, wenn der Mittelpunkt der Sonne 12° unter dem wahren Horizont steht.",
    "Es lassen sich dann erste Sternbilder erkennen.",
    "",
    "Astronomische Dämmerung",
    "Die astronomische Dämmerung folgt der nautischen Dämmerung. Die Dämmerung endet, wenn der",
    "Sonnenmittelpunkt 18\u00A0Grad unter dem wahren Horizont steht. Zu dieser Zeit beginnt im astronomischen",
    "Sinne die Nacht, das heißt, der Himmel ist völlig dunkel geworden.",
    "",
    "Meine Schichtgruppe und Erinnerungen",
    "Ist in den Einstellungen eine Schichtgruppe gewählt, werden ihre Schichten auf dem Ring mit einem",
    "schmalen Band am Rand markiert. Mit dem Häkchen für die Erinnerung zeigt der Desktop die gewählten",
    "Minuten vor Schichtbeginn eine Mitteilung, auf Wunsch auch um 20 Uhr am Vorabend einer Frühschicht.",
    "",
    "Viel Spaß!",
};

const std::array<std::string_view, desktopOnTopLineCount> desktopOnTopLines = {
    "",
    "Immer im Vordergrund unter Wayland",
    "Unter Wayland hält nur der Desktop ein Fenster über allen anderen, nicht das Programm selbst:",
    "GNOME: Alt+Leertaste → „Immer im Vordergrund“",
    "KDE Plasma: Alt+F3 → „Weitere Aktionen“ → „Immer im Vordergrund“, oder eine Fensterregel",
    "für die Klasse org.dorvalen.Dorvalen. Gestartet über „Unter XWayland starten“ im Menü halten",
    "F12 und die Einstellung „Die Uhr immer im Vordergrund halten“ die Uhr selbst im Vordergrund.",
};

const std::string_view desktopOnTopHint =
    "Unter Wayland hält der Desktop die Uhr im Vordergrund:\n"
    "GNOME: Alt+Leertaste → „Immer im Vordergrund“\n"
    "KDE Plasma: Alt+F3 → „Weitere Aktionen“ → „Immer im Vordergrund“\n"
    "(oder eine Fensterregel für die Klasse org.dorvalen.Dorvalen)";

// The desktop's lines follow the keys: after line 16, before the empty line 17.
constexpr std::size_t lastKeyLine = 16;

std::string helpText(std::string_view lineBreak, bool desktopKeepsOnTop) {
    std::string out;
    for (std::size_t i = 0; i < helpTextLines.size(); ++i) {
        if (i > 0) out += lineBreak;
        out += helpTextLines[i];
        if (desktopKeepsOnTop && i + 1 == lastKeyLine) {
            for (const std::string_view line : desktopOnTopLines) {
                out += lineBreak;
                out += line;
            }
        }
    }
    return out;
}

std::string helpTextWindows1252() { return utf8ToCp1252(helpText("\r\n")); }

}  // namespace dorvalen
