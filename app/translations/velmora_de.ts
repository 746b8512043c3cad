<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlarmService</name>
    <message>
        <source>The timer of %1 has ended.</source>
        <translation>Der Timer von %1 ist abgelaufen.</translation>
    </message>
    <message>
        <source>Missed timer</source>
        <translation>Verpasster Timer</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Alarm at %1</source>
        <translation>Wecker um %1</translation>
    </message>
    <message>
        <source>Missed alarm</source>
        <translation>Verpasster Wecker</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <source>%1
Due %2, while the computer slept or the clock was not running.</source>
        <translation>%1
Fällig %2, während der Rechner schlief oder die Uhr nicht lief.</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation>5 Minuten schlummern</translation>
    </message>
</context>
<context>
    <name>AlarmTexts</name>
    <message>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
</context>
<context>
    <name>AlarmsDialog</name>
    <message>
        <source>VELMORA - Alarms and timers</source>
        <translation>VELMORA - Wecker und Timer</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>(none: once)</source>
        <translation>(keiner: einmal)</translation>
    </message>
    <message>
        <source>What it is for</source>
        <translation>Wofür er ist</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Verbleibend</translation>
    </message>
    <message>
        <source> h</source>
        <translation> h</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>The clock&apos;s own</source>
        <translation>Ton der Uhr</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Choose a sound</source>
        <translation>Einen Ton auswählen</translation>
    </message>
    <message>
        <source>WAV sounds (*.wav)</source>
        <translation>WAV-Töne (*.wav)</translation>
    </message>
    <message>
        <source>Chime:</source>
        <translation>Glockenschlag:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Alarms</source>
        <translation>&amp;Wecker</translation>
    </message>
    <message>
        <source>&amp;Timers</source>
        <translation>&amp;Timer</translation>
    </message>
    <message>
        <source>S&amp;ounds</source>
        <translation>Tö&amp;ne</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Ti&amp;me:</source>
        <translation>&amp;Uhrzeit:</translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation>&amp;Bezeichnung:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>St&amp;arten</translation>
    </message>
    <message>
        <source>Len&amp;gth:</source>
        <translation>&amp;Dauer:</translation>
    </message>
    <message>
        <source>&amp;Play sounds</source>
        <translation>Töne &amp;abspielen</translation>
    </message>
    <message>
        <source>On the &amp;hour</source>
        <translation>Zur &amp;vollen Stunde</translation>
    </message>
    <message>
        <source>Every &amp;quarter</source>
        <translation>Jede Vie&amp;rtelstunde</translation>
    </message>
    <message>
        <source>Chime so&amp;und:</source>
        <translation>Ton des &amp;Glockenschlags:</translation>
    </message>
    <message>
        <source>Alarm &amp;sound:</source>
        <translation>Wec&amp;kton:</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Days:</source>
        <translation>Tage:</translation>
    </message>
</context>
<context>
    <name>BackgroundCheck</name>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>die Datei ist größer als %1 MB</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>die Datei kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>About Velmora %1</source>
        <extracomment>The info dialog&apos;s title; %1 is the version.</extracomment>
        <translation>Über Velmora %1</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Velmora %1, a desktop clock.
Free software under the MIT licence.
Made by the Velmora developers; time zones from the IANA time zone database.</source>
        <translation>Velmora %1, eine Uhr für den Schreibtisch.
Freie Software unter der MIT-Lizenz.
Gemacht von den Velmora-Entwicklern; Zeitzonen aus der IANA-Zeitzonendatenbank.</translation>
    </message>
</context>
<context>
    <name>COptionTreeSpinnerEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles a&amp;uswählen</translation>
    </message>
</context>
<context>
    <name>COptionsDial</name>
    <message>
        <source>Undo the last change (Ctrl+Z)</source>
        <translation>Letzte Änderung rückgängig machen (Strg+Z)</translation>
    </message>
    <message>
        <source>Redo the change undone (Ctrl+Shift+Z)</source>
        <translation>Rückgängig gemachte Änderung wiederholen (Strg+Umschalt+Z)</translation>
    </message>
    <message>
        <source>carried image, %1 x %2</source>
        <translation>mitgeführtes Bild, %1 × %2</translation>
    </message>
    <message>
        <source>carried file, %1 bytes</source>
        <translation>mitgeführte Datei, %1 Byte</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <source>File open error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>Can&apos;t access this file, please select another or permit access.</source>
        <translation>Auf diese Datei kann nicht zugegriffen werden. Bitte wählen Sie eine andere oder erlauben Sie den Zugriff.</translation>
    </message>
    <message>
        <source>Load error</source>
        <translation>Fehler beim Laden</translation>
    </message>
    <message>
        <source>Image not usable</source>
        <translation>Bild nicht verwendbar</translation>
    </message>
    <message>
        <source>%1

cannot be the background: %2. The previous image stays.</source>
        <translation>%1

kann nicht der Hintergrund sein: %2. Das bisherige Bild bleibt.</translation>
    </message>
    <message>
        <source>Velmoras (*.Velmora)</source>
        <translation>Velmora-Designs (*.Velmora)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Revert to the scheme as it was when this dialog opened? Your edits can be undone.</source>
        <translation>Zum Design zurückkehren, wie es beim Öffnen dieses Dialogs war? Ihre Änderungen lassen sich rückgängig machen.</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standarddesign</translation>
    </message>
    <message>
        <source>Restore the built-in scheme? Your edits can be undone.</source>
        <translation>Das eingebaute Design wiederherstellen? Ihre Änderungen lassen sich rückgängig machen.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Discard the changes to the built-in scheme?</source>
        <translation>Die Änderungen am eingebauten Design verwerfen?</translation>
    </message>
    <message>
        <source>Discard the changes to %1?</source>
        <translation>Die Änderungen an %1 verwerfen?</translation>
    </message>
    <message>
        <source>Your changes are not saved in a scheme file.</source>
        <translation>Ihre Änderungen sind in keiner Designdatei gespeichert.</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Keep Editing</source>
        <translation>Weiter bearbeiten</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>Ganz nach oben</translation>
    </message>
    <message>
        <source>Drawn first, under every other element</source>
        <translation>Zuerst gezeichnet, unter allen anderen Elementen</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Ganz nach unten</translation>
    </message>
    <message>
        <source>Drawn last, over every other element</source>
        <translation>Zuletzt gezeichnet, über allen anderen Elementen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Choose a zone...</source>
        <translation>Zone wählen …</translation>
    </message>
    <message>
        <source>All four user time zones are in use by other elements of this scheme. Change the zone of one of them first.</source>
        <translation>Alle vier Benutzerzeitzonen werden von anderen Elementen dieses Designs verwendet. Ändern Sie zuerst die Zone eines davon.</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Beispiele</translation>
    </message>
    <message>
        <source>Recently used</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>Other scheme file...</source>
        <translation>Andere Designdatei …</translation>
    </message>
</context>
<context>
    <name>CVelmoraApp</name>
    <message>
        <source>runs without taking later launches over: %1</source>
        <translation>läuft, ohne spätere Aufrufe zu übernehmen: %1</translation>
    </message>
    <message>
        <source>The settings file %1 could not be used: %2. It was moved, unchanged, to:
%3

The clock starts with its default settings.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht verwendet werden: %2. Sie wurde unverändert verschoben nach:
%3

Die Uhr startet mit ihren Standardeinstellungen.</translation>
    </message>
    <message>
        <source>Your settings could not be saved to %1: %2.

The clock keeps your changes while it runs; they are lost when it ends unless the file can be written again.</source>
        <translation>Ihre Einstellungen konnten nicht in %1 gespeichert werden: %2.

Die Uhr behält Ihre Änderungen, solange sie läuft; beim Beenden gehen sie verloren, wenn die Datei bis dahin nicht wieder geschrieben werden kann.</translation>
    </message>
    <message>
        <source>cannot be used: %1</source>
        <translation>nicht nutzbar: %1</translation>
    </message>
    <message>
        <source>the clock could not be started</source>
        <translation>die Uhr konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>CVelmoraDlg</name>
    <message>
        <source>Load error</source>
        <translation>Fehler beim Laden</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Mit der Arbeitsumgebung starten</translation>
    </message>
    <message>
        <source>The login entry %1 could not be written.</source>
        <translation>Der Anmeldeeintrag %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The login entry %1 could not be removed.</source>
        <translation>Der Anmeldeeintrag %1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Nächster Wecker: %1</translation>
    </message>
</context>
<context>
    <name>CalendarPopup</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Previous year</source>
        <translation>Voriges Jahr</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Voriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Nächstes Jahr</translation>
    </message>
</context>
<context>
    <name>ClockDialogs</name>
    <message>
        <source>Editor missing</source>
        <translation>Editor fehlt</translation>
    </message>
    <message>
        <source>The editor of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>Der Editor dieser Installation lässt sich nicht laden (%1). Eine Neuinstallation des Programms bringt ihn zurück.</translation>
    </message>
    <message>
        <source>Calendar missing</source>
        <translation>Kalender fehlt</translation>
    </message>
    <message>
        <source>The calendar and alarms of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>Kalender und Wecker dieser Installation lassen sich nicht laden (%1). Eine Neuinstallation des Programms bringt sie zurück.</translation>
    </message>
</context>
<context>
    <name>ClockInstance</name>
    <message>
        <source>the socket path %1 is too long</source>
        <translation>der Socket-Pfad %1 ist zu lang</translation>
    </message>
    <message>
        <source>the running clock cannot be reached</source>
        <translation>die laufende Uhr ist nicht erreichbar</translation>
    </message>
    <message>
        <source>the running clock does not answer</source>
        <translation>die laufende Uhr antwortet nicht</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>er gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>others may write in it</source>
        <translation>andere dürfen darin schreiben</translation>
    </message>
    <message>
        <source>XDG_RUNTIME_DIR is not set</source>
        <translation>XDG_RUNTIME_DIR ist nicht gesetzt</translation>
    </message>
    <message>
        <source>the runtime folder %1 is not used (%2); later launches reach this clock through %3</source>
        <translation>der Laufzeitordner %1 wird nicht verwendet (%2); spätere Aufrufe erreichen diese Uhr über %3</translation>
    </message>
    <message>
        <source>no safe folder for the clock&apos;s socket (%1): later launches cannot hand files over to this clock</source>
        <translation>kein sicherer Ordner für den Socket der Uhr (%1): spätere Aufrufe können dieser Uhr keine Dateien übergeben</translation>
    </message>
    <message>
        <source>a clock of this name runs already; without a safe runtime folder it cannot take files over</source>
        <translation>eine Uhr dieses Namens läuft bereits; ohne sicheren Laufzeitordner kann sie keine Dateien übernehmen</translation>
    </message>
    <message>
        <source>the file name cannot be handed over</source>
        <translation>der Dateiname kann nicht übergeben werden</translation>
    </message>
    <message>
        <source>the socket %1 belongs to another user; nothing was sent</source>
        <translation>der Socket %1 gehört einem anderen Benutzer; es wurde nichts gesendet</translation>
    </message>
</context>
<context>
    <name>ClockMenu</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;Info …</translation>
    </message>
    <message>
        <source>&amp;Web help</source>
        <translation>&amp;Hilfe im Web</translation>
    </message>
    <message>
        <source>Official VELMORA web site...</source>
        <translation>Offizielle VELMORA-Website …</translation>
    </message>
    <message>
        <source>Usage manual...</source>
        <translation>Bedienungsanleitung …</translation>
    </message>
    <message>
        <source>Customizing tutorial...</source>
        <translation>Anleitung zum Anpassen …</translation>
    </message>
    <message>
        <source>Frequently asked questions (FAQ)...</source>
        <translation>Häufige Fragen (FAQ) …</translation>
    </message>
    <message>
        <source>Send e-mail feedback...</source>
        <translation>Rückmeldung per E-Mail …</translation>
    </message>
    <message>
        <source>Latest version...</source>
        <translation>Neueste Version …</translation>
    </message>
    <message>
        <source>C&amp;lick through</source>
        <translation>&amp;Klicks durchlassen</translation>
    </message>
    <message>
        <source>Stay on &amp;top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>T&amp;ransparency</source>
        <translation>&amp;Transparenz</translation>
    </message>
    <message>
        <source>Pla&amp;y sounds</source>
        <translation>Töne a&amp;bspielen</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>other size</source>
        <translation>andere Größe</translation>
    </message>
    <message>
        <source>&amp;Hide to tray</source>
        <translation>Im Infobe&amp;reich verbergen</translation>
    </message>
    <message>
        <source>&amp;New clock</source>
        <translation>Neue &amp;Uhr</translation>
    </message>
    <message>
        <source>Start with the &amp;desktop</source>
        <translation>&amp;Mit der Arbeitsumgebung starten</translation>
    </message>
    <message>
        <source>Dates in my lan&amp;guage</source>
        <translation>&amp;Datum in meiner Sprache</translation>
    </message>
    <message>
        <source>Smooth &amp;motion</source>
        <translation>&amp;Flüssige Bewegung</translation>
    </message>
    <message>
        <source>Sch&amp;emes...</source>
        <translation>D&amp;esigns …</translation>
    </message>
    <message>
        <source>C&amp;ustomize...</source>
        <translation>Anpa&amp;ssen …</translation>
    </message>
    <message>
        <source>Time &amp;zones...</source>
        <translation>&amp;Zeitzonen …</translation>
    </message>
    <message>
        <source>&amp;Process priority</source>
        <translation>Prozesspri&amp;orität</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Bee&amp;nden</translation>
    </message>
    <message>
        <source>0% (opaque)</source>
        <translation>0 % (deckend)</translation>
    </message>
    <message>
        <source>50% (semi transp.)</source>
        <translation>50 % (halbtransp.)</translation>
    </message>
    <message>
        <source>95% (invisible)</source>
        <translation>95 % (unsichtbar)</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>Above normal</source>
        <translation>Höher als normal</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Below normal</source>
        <translation>Niedriger als normal</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Niedrigste</translation>
    </message>
    <message>
        <source>On all wor&amp;kspaces</source>
        <translation>Auf &amp;allen Arbeitsflächen</translation>
    </message>
    <message>
        <source>L&amp;ock position</source>
        <translation>&amp;Position sperren</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A step of the transparency menu; %1 is the number.</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Nächster Wecker: %1</translation>
    </message>
    <message>
        <source>&amp;Calendar...</source>
        <translation>Ka&amp;lender …</translation>
    </message>
    <message>
        <source>&amp;Alarms...</source>
        <translation>&amp;Wecker und Timer …</translation>
    </message>
</context>
<context>
    <name>ClockSpeech</name>
    <message>
        <source>%1, %2</source>
        <extracomment>The clock&apos;s time as a screen reader says it: %1 the time, %2 the date.
----------
A zone&apos;s time on another day than the local one: %1 the time, %2 the weekday.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A line of the clock&apos;s tooltip: %1 the zone&apos;s name, %2 its time.</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
„%1 --help“ gibt weitere Informationen.
</translation>
    </message>
    <message>
        <source>--clock given more than once</source>
        <translation>--clock wurde mehrfach angegeben</translation>
    </message>
    <message>
        <source>invalid clock name &apos;%1&apos;: use up to %2 letters, digits, &apos;-&apos; and &apos;_&apos;</source>
        <translation>ungültiger Uhrname „%1“: bis zu %2 Buchstaben, Ziffern, „-“ und „_“ verwenden</translation>
    </message>
    <message>
        <source>one scheme file at most, got %1</source>
        <translation>höchstens eine Designdatei, erhalten: %1</translation>
    </message>
    <message>
        <source>the scheme file name is empty</source>
        <translation>der Name der Designdatei ist leer</translation>
    </message>
    <message>
        <source>--%1 given more than once</source>
        <translation>--%1 wurde mehrfach angegeben</translation>
    </message>
    <message>
        <source>--alarm and --timer cannot be given together</source>
        <translation>--alarm und --timer können nicht zusammen angegeben werden</translation>
    </message>
    <message>
        <source>--label goes with --alarm or --timer</source>
        <translation>--label gehört zu --alarm oder --timer</translation>
    </message>
    <message>
        <source>--alarm and --timer take no scheme file</source>
        <translation>--alarm und --timer nehmen keine Design-Datei</translation>
    </message>
    <message>
        <source>invalid time &apos;%1&apos;: use HH:MM, 00:00 to 23:59</source>
        <translation>ungültige Uhrzeit „%1“: HH:MM verwenden, 00:00 bis 23:59</translation>
    </message>
    <message>
        <source>invalid duration &apos;%1&apos;: use for example 90s, 5m or 1h30m, up to 99h59m59s</source>
        <translation>ungültige Dauer „%1“: zum Beispiel 90s, 5m oder 1h30m verwenden, bis 99h59m59s</translation>
    </message>
    <message>
        <source>Usage: %1 [--clock NAME] [FILE.Velmora]
       %1 [--clock NAME] --alarm HH:MM [--label TEXT]
       %1 [--clock NAME] --timer DURATION [--label TEXT]
A freely shaped clock that floats on the desktop.

Options:
  --clock NAME       run the clock of this name, with settings of its own
                     (letters, digits, &apos;-&apos; and &apos;_&apos;); without it, the default
                     clock
  --alarm HH:MM      set an alarm on the clock for the next HH:MM (00:00 to
                     23:59), starting the clock if it does not run
  --timer DURATION   start a timer on the clock: 90s, 5m, 1h30m and so on
  --label TEXT       what the alarm or timer is for, shown when it rings
  --check-modules    load each of the program&apos;s modules as the clock would,
                     tell where it came from or why it cannot be used, and exit
  -h, --help         show this help and exit
  -v, --version      show the version and exit

Arguments:
  FILE.Velmora       a scheme to show; a clock of the same name that is
                     already running takes it over and comes to the front
</source>
        <translation>Aufruf: %1 [--clock NAME] [DATEI.Velmora]
        %1 [--clock NAME] --alarm HH:MM [--label TEXT]
        %1 [--clock NAME] --timer DAUER [--label TEXT]
Eine frei geformte Uhr, die über der Arbeitsfläche schwebt.

Optionen:
  --clock NAME       die Uhr dieses Namens mit eigenen Einstellungen starten
                     (Buchstaben, Ziffern, „-“ und „_“); ohne diese Option die
                     Standarduhr
  --alarm HH:MM      auf der Uhr einen Wecker für das nächste HH:MM stellen
                     (00:00 bis 23:59) und die Uhr starten, falls sie nicht
                     läuft
  --timer DAUER      auf der Uhr einen Timer starten: 90s, 5m, 1h30m und so
                     weiter
  --label TEXT       wofür der Wecker oder Timer ist, angezeigt, wenn er
                     klingelt
  --check-modules    jedes Modul des Programms laden, wie die Uhr es tut,
                     zeigen, woher es kam oder warum es nicht nutzbar ist, und
                     beenden
  -h, --help         diese Hilfe anzeigen und beenden
  -v, --version      die Version anzeigen und beenden

Argumente:
  DATEI.Velmora      ein anzuzeigendes Design; läuft eine Uhr gleichen Namens
                     schon, übernimmt sie es und kommt nach vorn
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes no value</source>
        <translation>„%1“ nimmt keinen Wert</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value</source>
        <translation>„%1“ braucht einen Wert</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>Scheme:</source>
        <translation>Design:</translation>
    </message>
    <message>
        <source>VELMORA - Customizing...</source>
        <translation>VELMORA – Anpassen …</translation>
    </message>
    <message>
        <source>Local machine time zone</source>
        <translation>Zeitzone dieses Rechners</translation>
    </message>
    <message>
        <source>User set time zones:</source>
        <translation>Eigene Zeitzonen:</translation>
    </message>
    <message>
        <source>VELMORA - Time zone settings</source>
        <translation>VELMORA – Zeitzonen-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>&amp;Speichern unter …</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Laden …</translation>
    </message>
    <message>
        <source>&amp;Revert...</source>
        <translation>&amp;Zurücksetzen …</translation>
    </message>
    <message>
        <source>Restore &amp;Defaults...</source>
        <translation>Standard&amp;design …</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Current &amp;system setting:</source>
        <translation>Aktuelle &amp;Systemeinstellung:</translation>
    </message>
    <message>
        <source>&amp;Use the following fixed one instead:</source>
        <translation>Stattdessen diese &amp;feste Zeitzone verwenden:</translation>
    </message>
    <message>
        <source>User time zone #&amp;1:</source>
        <translation>Eigene Zeitzone &amp;1:</translation>
    </message>
    <message>
        <source>User time zone #&amp;2:</source>
        <translation>Eigene Zeitzone &amp;2:</translation>
    </message>
    <message>
        <source>User time zone #&amp;3:</source>
        <translation>Eigene Zeitzone &amp;3:</translation>
    </message>
    <message>
        <source>User time zone #&amp;4:</source>
        <translation>Eigene Zeitzone &amp;4:</translation>
    </message>
</context>
<context>
    <name>HelpLinks</name>
    <message>
        <source>This copy of Velmora has no feedback address set up, so no e-mail can be started.

To report a fault or suggest an improvement, please contact whoever provided this copy, for example your distribution&apos;s bug tracker or the maintainer of the package you installed.

The FAQ in the &quot;Web help&quot; menu may already answer your question.</source>
        <translation>Für diese Kopie von Velmora ist keine Adresse für Rückmeldungen eingerichtet, daher kann keine E-Mail begonnen werden.

Um einen Fehler zu melden oder eine Verbesserung vorzuschlagen, wenden Sie sich bitte an den Anbieter dieser Kopie, zum Beispiel an die Fehlerverwaltung Ihrer Distribution oder an den Betreuer des installierten Pakets.

Vielleicht beantworten schon die häufigen Fragen im Menü „Hilfe im Web“ Ihre Frage.</translation>
    </message>
    <message>
        <source>No mail program could be started.

Please send your feedback by e-mail to:
%1</source>
        <translation>Es konnte kein E-Mail-Programm gestartet werden.

Bitte senden Sie Ihre Rückmeldung per E-Mail an:
%1</translation>
    </message>
</context>
<context>
    <name>OptionTree</name>
    <message>
        <source>No Item Selected</source>
        <translation>Kein Eintrag ausgewählt</translation>
    </message>
    <message>
        <source>Select an item to see its description.</source>
        <translation>Wählen Sie einen Eintrag, um seine Beschreibung zu sehen.</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>UnChecked</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>More Colors...</source>
        <translation>Weitere Farben …</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>RGB (%1, %2, %3)</source>
        <translation>RGB (%1, %2, %3)</translation>
    </message>
    <message>
        <source>No selection made.</source>
        <translation>Nichts ausgewählt.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>Keine Vorschau</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Braun</translation>
    </message>
    <message>
        <source>Dark Olive Green</source>
        <translation>Dunkles Olivgrün</translation>
    </message>
    <message>
        <source>Dark Green</source>
        <translation>Dunkelgrün</translation>
    </message>
    <message>
        <source>Dark Teal</source>
        <translation>Dunkles Blaugrün</translation>
    </message>
    <message>
        <source>Dark Blue</source>
        <translation>Dunkelblau</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Gray-80%</source>
        <translation>Grau 80&#xa0;%</translation>
    </message>
    <message>
        <source>Dark Red</source>
        <translation>Dunkelrot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Dark Yellow</source>
        <translation>Dunkelgelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Blue-Gray</source>
        <translation>Blaugrau</translation>
    </message>
    <message>
        <source>Gray-50%</source>
        <translation>Grau 50&#xa0;%</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Light Orange</source>
        <translation>Hellorange</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Limettengrün</translation>
    </message>
    <message>
        <source>Sea Green</source>
        <translation>Meergrün</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aquamarin</translation>
    </message>
    <message>
        <source>Light Blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Gray-40%</source>
        <translation>Grau 40&#xa0;%</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Gold</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Bright Green</source>
        <translation>Leuchtendes Grün</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>Skyblue</source>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Plum</source>
        <translation>Pflaume</translation>
    </message>
    <message>
        <source>Gray-25%</source>
        <translation>Grau 25&#xa0;%</translation>
    </message>
    <message>
        <source>Rose</source>
        <translation>Altrosa</translation>
    </message>
    <message>
        <source>Tan</source>
        <translation>Hellbraun</translation>
    </message>
    <message>
        <source>Light Yellow</source>
        <translation>Hellgelb</translation>
    </message>
    <message>
        <source>Pale Green </source>
        <translation>Blassgrün</translation>
    </message>
    <message>
        <source>Pale Turquoise</source>
        <translation>Blasses Türkis</translation>
    </message>
    <message>
        <source>Pale Blue</source>
        <translation>Blassblau</translation>
    </message>
    <message>
        <source>Lavender</source>
        <translation>Lavendel</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
</context>
<context>
    <name>SchemeChooser</name>
    <message>
        <source>Schemes</source>
        <translation>Designs</translation>
    </message>
    <message>
        <source>No schemes were found.</source>
        <translation>Es wurden keine Designs gefunden.</translation>
    </message>
</context>
<context>
    <name>SchemeLoadError</name>
    <message>
        <source>The file was not found.</source>
        <translation>Die Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>It may have been moved, renamed or deleted. Choose the file again.</source>
        <translation>Sie wurde vielleicht verschoben, umbenannt oder gelöscht. Wählen Sie die Datei erneut.</translation>
    </message>
    <message>
        <source>You are not allowed to read this file.</source>
        <translation>Sie dürfen diese Datei nicht lesen.</translation>
    </message>
    <message>
        <source>Ask for access to it, or choose another file.</source>
        <translation>Bitten Sie um Zugriff darauf, oder wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>This is not a file that can be loaded.</source>
        <translation>Dies ist keine Datei, die geladen werden kann.</translation>
    </message>
    <message>
        <source>It is a folder, a pipe or a device. Choose a scheme file.</source>
        <translation>Es ist ein Ordner, eine Pipe oder ein Gerät. Wählen Sie eine Designdatei.</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>Die Datei konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Try again, or choose another file.</source>
        <translation>Versuchen Sie es erneut, oder wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>This file is not a Velmora scheme.</source>
        <translation>Diese Datei ist kein Velmora-Design.</translation>
    </message>
    <message>
        <source>Choose a scheme file, one that ends in .Velmora.</source>
        <translation>Wählen Sie eine Designdatei, deren Name auf .Velmora endet.</translation>
    </message>
    <message>
        <source>This scheme file is damaged or incomplete.</source>
        <translation>Diese Designdatei ist beschädigt oder unvollständig.</translation>
    </message>
    <message>
        <source>It may have been cut short while it was copied. Choose another copy of it.</source>
        <translation>Vielleicht wurde sie beim Kopieren abgeschnitten. Wählen Sie eine andere Kopie davon.</translation>
    </message>
    <message>
        <source>%1

%2

%3 The clock keeps the scheme it shows.</source>
        <translation>%1

%2

%3 Die Uhr behält das Design, das sie zeigt.</translation>
    </message>
    <message>
        <source>%1 (at byte %2)</source>
        <translation>%1 (bei Byte %2)</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>it could not be parsed</source>
        <translation>sie konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>sie ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is a pipe (FIFO), not a file</source>
        <translation>sie ist eine Pipe (FIFO), keine Datei</translation>
    </message>
    <message>
        <source>it is a device or socket, not a file</source>
        <translation>sie ist ein Gerät oder Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>sie ist ein Verweis auf eine Datei, die es nicht gibt</translation>
    </message>
    <message>
        <source>it is larger than 1 MB</source>
        <translation>sie ist größer als 1 MB</translation>
    </message>
    <message>
        <source>it is not a settings file</source>
        <translation>sie ist keine Einstellungsdatei</translation>
    </message>
    <message>
        <source>the system refused to write it</source>
        <translation>das System hat das Schreiben verweigert</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>(Local machine time zone)</source>
        <translation>(Zeitzone dieses Rechners)</translation>
    </message>
    <message>
        <source>(User set time zone 1)</source>
        <translation>(Eigene Zeitzone 1)</translation>
    </message>
    <message>
        <source>(User set time zone 2)</source>
        <translation>(Eigene Zeitzone 2)</translation>
    </message>
    <message>
        <source>(User set time zone 3)</source>
        <translation>(Eigene Zeitzone 3)</translation>
    </message>
    <message>
        <source>(User set time zone 4)</source>
        <translation>(Eigene Zeitzone 4)</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>second</source>
        <translation>Sekunde</translation>
    </message>
    <message>
        <source>second (continuous, high CPU usage!)</source>
        <translation>Sekunde (stufenlos, hohe CPU-Last!)</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>minute (continuous)</source>
        <translation>Minute (stufenlos)</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 Stunden</translation>
    </message>
    <message>
        <source>12 hours (continuous)</source>
        <translation>12 Stunden (stufenlos)</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 Stunden</translation>
    </message>
    <message>
        <source>24 hours (continuous)</source>
        <translation>24 Stunden (stufenlos)</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>flach</translation>
    </message>
    <message>
        <source>square</source>
        <translation>eckig</translation>
    </message>
    <message>
        <source>round</source>
        <translation>rund</translation>
    </message>
    <message>
        <source>triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>no anchor</source>
        <translation>kein Anker</translation>
    </message>
    <message>
        <source>square anchor</source>
        <translation>eckiger Anker</translation>
    </message>
    <message>
        <source>round anchor</source>
        <translation>runder Anker</translation>
    </message>
    <message>
        <source>diamond anchor</source>
        <translation>Rautenanker</translation>
    </message>
    <message>
        <source>arrow anchor</source>
        <translation>Pfeilanker</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>Deckkraft</translation>
    </message>
    <message>
        <source>Sets the item&apos;s opacity (e.g.: 0 = invisible, 127 = semi transparent, 255 = 100% visible)</source>
        <translation>Legt die Deckkraft des Elements fest (z. B. 0 = unsichtbar, 127 = halbtransparent, 255 = 100 % sichtbar).</translation>
    </message>
    <message>
        <source>background image</source>
        <translation>Hintergrundbild</translation>
    </message>
    <message>
        <source>Sets the image drawn as the clock&apos;s background. Its transparent parts give the clock its shape. The image is stored inside the scheme.</source>
        <translation>Legt das Bild fest, das als Hintergrund der Uhr gezeichnet wird. Seine transparenten Teile geben der Uhr ihre Form. Das Bild wird im Design gespeichert.</translation>
    </message>
    <message>
        <source>color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Sets the color of the hand line.</source>
        <translation>Legt die Farbe der Zeigerlinie fest.</translation>
    </message>
    <message>
        <source>begin radius (%)</source>
        <translation>Anfangsradius (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line begins. The value may be negative.</source>
        <translation>Legt den Radius in % fest, bei dem die Zeigerlinie beginnt. Der Wert darf negativ sein.</translation>
    </message>
    <message>
        <source>end radius (%)</source>
        <translation>Endradius (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line ends. The value may be negative.</source>
        <translation>Legt den Radius in % fest, bei dem die Zeigerlinie endet. Der Wert darf negativ sein.</translation>
    </message>
    <message>
        <source>begin line cap</source>
        <translation>Linienanfang</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its beginning.</source>
        <translation>Legt die Form der Zeigerlinie an ihrem Anfang fest.</translation>
    </message>
    <message>
        <source>end line cap</source>
        <translation>Linienende</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its end.</source>
        <translation>Legt die Form der Zeigerlinie an ihrem Ende fest.</translation>
    </message>
    <message>
        <source>thickness (%)</source>
        <translation>Stärke (%)</translation>
    </message>
    <message>
        <source>Sets the thickness of the hand line in % of the clock&apos;s radius.</source>
        <translation>Legt die Stärke der Zeigerlinie in % des Uhrradius fest.</translation>
    </message>
    <message>
        <source>time value</source>
        <translation>Zeitwert</translation>
    </message>
    <message>
        <source>Sets the time value that the hand displays.</source>
        <translation>Legt den Zeitwert fest, den der Zeiger anzeigt.</translation>
    </message>
    <message>
        <source>Sets the color of the slice.</source>
        <translation>Legt die Farbe des Segments fest.</translation>
    </message>
    <message>
        <source>outer radius</source>
        <translation>Außenradius</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice ends on the outside.</source>
        <translation>Legt den Radius in % fest, bei dem das Segment außen endet.</translation>
    </message>
    <message>
        <source>Sets the time value that the slice displays.</source>
        <translation>Legt den Zeitwert fest, den das Segment anzeigt.</translation>
    </message>
    <message>
        <source>time zone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>Sets the time zone in which the hand shows the time.</source>
        <translation>Legt die Zeitzone fest, in der der Zeiger die Zeit anzeigt.</translation>
    </message>
    <message>
        <source>count down</source>
        <translation>rückwärts zählen</translation>
    </message>
    <message>
        <source>If on, the slice shows the part that remains instead of the part that has passed.</source>
        <translation>Wenn eingeschaltet, zeigt das Segment den verbleibenden statt des vergangenen Teils.</translation>
    </message>
    <message>
        <source>center dX</source>
        <translation>Mitte dX</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Verschiebt die Mitte der Uhr nach rechts, in % des Uhrradius (nach links, wenn negativ).</translation>
    </message>
    <message>
        <source>center dY</source>
        <translation>Mitte dY</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Verschiebt die Mitte der Uhr nach unten, in % des Uhrradius (nach oben, wenn negativ).</translation>
    </message>
    <message>
        <source>smoothing Mode</source>
        <translation>Glättung</translation>
    </message>
    <message>
        <source>Sets how smoothly lines and curves are drawn.</source>
        <translation>Legt fest, wie glatt Linien und Kurven gezeichnet werden.</translation>
    </message>
    <message>
        <source>high Quality (lower speed)</source>
        <translation>hohe Qualität (langsamer)</translation>
    </message>
    <message>
        <source>high Speed (lower quality)</source>
        <translation>hohe Geschwindigkeit (geringere Qualität)</translation>
    </message>
    <message>
        <source>clock body</source>
        <translation>Uhrkörper</translation>
    </message>
    <message>
        <source>The clock body is the basic element of a clock. It has a center and you can set a background image that will give the clock its shape.</source>
        <translation>Der Uhrkörper ist das Grundelement einer Uhr. Er hat eine Mitte, und Sie können ein Hintergrundbild festlegen, das der Uhr ihre Form gibt.</translation>
    </message>
    <message>
        <source>hand</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>Clock hands are lines, that move around the clock body&apos;s center. Every clock hand can be setup to a specified value to display.</source>
        <translation>Zeiger sind Linien, die sich um die Mitte des Uhrkörpers drehen. Jeder Zeiger kann einen bestimmten Wert anzeigen.</translation>
    </message>
    <message>
        <source>time slice</source>
        <translation>Zeitsegment</translation>
    </message>
    <message>
        <source>Time slices are mostly like hands, but with the shap of a slice (or pie).</source>
        <translation>Zeitsegmente ähneln Zeigern, haben aber die Form eines Tortenstücks.</translation>
    </message>
    <message>
        <source>x offset (%)</source>
        <translation>X-Versatz (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Verschiebt die Mitte des Zeigers nach rechts, in % des Uhrradius (nach links, wenn negativ).</translation>
    </message>
    <message>
        <source>y offset (%)</source>
        <translation>Y-Versatz (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Verschiebt die Mitte des Zeigers nach unten, in % des Uhrradius (nach oben, wenn negativ).</translation>
    </message>
    <message>
        <source>day of week  (0..6=Sunday,M,T,W,T,F,S)</source>
        <translation>Wochentag (0..6 = Sonntag, M, D, M, D, F, S)</translation>
    </message>
    <message>
        <source>VELMORA

right click: open menu
double left click: switch display mode</source>
        <translation>VELMORA

Rechtsklick: Menü öffnen
Doppelklick links: Anzeigemodus wechseln</translation>
    </message>
    <message>
        <source>Moves the slice to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Verschiebt das Segment nach rechts, in % des Uhrradius (nach links, wenn negativ).</translation>
    </message>
    <message>
        <source>Moves the slice down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Verschiebt das Segment nach unten, in % des Uhrradius (nach oben, wenn negativ).</translation>
    </message>
    <message>
        <source>text color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Sets the color of the text.</source>
        <translation>Legt die Farbe des Textes fest.</translation>
    </message>
    <message>
        <source>Moves the text to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Verschiebt den Text nach rechts, in % des Uhrradius (nach links, wenn negativ).</translation>
    </message>
    <message>
        <source>Moves the text down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Verschiebt den Text nach unten, in % des Uhrradius (nach oben, wenn negativ).</translation>
    </message>
    <message>
        <source>format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Sets the format of the text.} Codes starting with % are replaced by parts of the date and time; all other characters are shown as they are.\par \par {\b %a} weekday, abbreviated (Sun)\par {\b %A} weekday (Sunday)\par {\b %b} month, abbreviated (Jan)\par {\b %B} month (January)\par {\b %c} date and time (03/14/07 12:41:29)\par {\b %d} day of month (01 - 31)\par {\b %H} hour, 24-hour clock (00 - 23)\par {\b %I} hour, 12-hour clock (01 - 12)\par {\b %j} day of year (001 - 366)\par {\b %m} month (01 - 12)\par {\b %M} minute (00 - 59)\par {\b %p} AM or PM\par {\b %S} second (00 - 59)\par {\b %U} week of year, weeks starting on Sunday (00 - 53)\par {\b %W} week of year, weeks starting on Monday (00 - 53)\par {\b %w} weekday (0 - 6, Sunday is 0)\par {\b %x} date (03/14/07)\par {\b %X} time (12:41:29)\par {\b %y} year without century (00 - 99)\par {\b %Y} year with century (2007)\par {\b %z}, {\b %Z} the short name of the text&apos;s time zone (CET, JST)\par {\b %%} a percent sign\par \par A {\b #} after the % removes leading zeros (%#d shows 4 instead of 04); %#c and %#x show the long date (Wednesday, March 14, 2007).\par Example: %d.%m.%Y shows 14.03.2007, %H:%M:%S shows 12:41:29.}</source>
        <translation>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Legt das Format des Textes fest.} Codes, die mit % beginnen, werden durch Teile von Datum und Uhrzeit ersetzt; alle anderen Zeichen erscheinen unverändert.\par \par {\b %a} Wochentag, abgekürzt (Sun)\par {\b %A} Wochentag (Sunday)\par {\b %b} Monat, abgekürzt (Jan)\par {\b %B} Monat (January)\par {\b %c} Datum und Uhrzeit (03/14/07 12:41:29)\par {\b %d} Tag des Monats (01 – 31)\par {\b %H} Stunde, 24-Stunden-Zählung (00 – 23)\par {\b %I} Stunde, 12-Stunden-Zählung (01 – 12)\par {\b %j} Tag des Jahres (001 – 366)\par {\b %m} Monat (01 – 12)\par {\b %M} Minute (00 – 59)\par {\b %p} AM oder PM\par {\b %S} Sekunde (00 – 59)\par {\b %U} Woche des Jahres, Wochen ab Sonntag (00 – 53)\par {\b %W} Woche des Jahres, Wochen ab Montag (00 – 53)\par {\b %w} Wochentag (0 – 6, Sonntag ist 0)\par {\b %x} Datum (03/14/07)\par {\b %X} Uhrzeit (12:41:29)\par {\b %y} Jahr ohne Jahrhundert (00 – 99)\par {\b %Y} Jahr mit Jahrhundert (2007)\par {\b %z}, {\b %Z} der Kurzname der Zeitzone des Textes (CET, JST)\par {\b %%} ein Prozentzeichen\par \par Ein {\b #} nach dem % entfernt führende Nullen (%#d zeigt 4 statt 04); %#c und %#x zeigen das lange Datum (Wednesday, March 14, 2007).\par Beispiel: %d.%m.%Y zeigt 14.03.2007, %H:%M:%S zeigt 12:41:29.}</translation>
    </message>
    <message>
        <source>Sets the time zone in which the text shows the date and time.</source>
        <translation>Legt die Zeitzone fest, in der der Text Datum und Uhrzeit anzeigt.</translation>
    </message>
    <message>
        <source>Sets the time zone in which the slice shows the time.</source>
        <translation>Legt die Zeitzone fest, in der das Segment die Zeit anzeigt.</translation>
    </message>
    <message>
        <source>day of month (1..31)</source>
        <translation>Tag des Monats (1..31)</translation>
    </message>
    <message>
        <source>centiseconds (high CPU usage!)</source>
        <translation>Hundertstelsekunden (hohe CPU-Last!)</translation>
    </message>
    <message>
        <source>month of year (1..12)</source>
        <translation>Monat des Jahres (1..12)</translation>
    </message>
    <message>
        <source>week of year (1..52)</source>
        <translation>Woche des Jahres (1..52)</translation>
    </message>
    <message>
        <source>digital display</source>
        <translation>Digitalanzeige</translation>
    </message>
    <message>
        <source>Digital displays show the date or time as text, formatted by a format of your choice.</source>
        <translation>Digitalanzeigen zeigen Datum oder Uhrzeit als Text, in einem Format Ihrer Wahl.</translation>
    </message>
    <message>
        <source>font family</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Sets the font family of the text.</source>
        <translation>Legt die Schriftart des Textes fest.</translation>
    </message>
    <message>
        <source>font size (%)</source>
        <translation>Schriftgröße (%)</translation>
    </message>
    <message>
        <source>Sets the size of the text in % of the clock&apos;s diameter.</source>
        <translation>Legt die Größe des Textes in % des Uhrdurchmessers fest.</translation>
    </message>
    <message>
        <source>font bold</source>
        <translation>fett</translation>
    </message>
    <message>
        <source>If on, the text is drawn in bold.</source>
        <translation>Wenn eingeschaltet, wird der Text fett gezeichnet.</translation>
    </message>
    <message>
        <source>font italic</source>
        <translation>kursiv</translation>
    </message>
    <message>
        <source>If on, the text is drawn in italics.</source>
        <translation>Wenn eingeschaltet, wird der Text kursiv gezeichnet.</translation>
    </message>
    <message>
        <source>author info</source>
        <translation>Autoreninfo</translation>
    </message>
    <message>
        <source>The name of the scheme&apos;s author, and anything else worth knowing about the scheme.</source>
        <translation>Der Name des Designautors und alles, was über das Design sonst wissenswert ist.</translation>
    </message>
    <message>
        <source>CPU #%d performance (%%)</source>
        <translation>CPU %d Auslastung (%%)</translation>
    </message>
    <message>
        <source>memory load (%)</source>
        <translation>Speicherauslastung (%)</translation>
    </message>
    <message>
        <source>page file (%)</source>
        <translation>Auslagerungsdatei (%)</translation>
    </message>
    <message>
        <source>real memory (%)</source>
        <translation>Arbeitsspeicher (%)</translation>
    </message>
    <message>
        <source>inner radius</source>
        <translation>Innenradius</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice begins on the inside.</source>
        <translation>Legt den Radius in % fest, bei dem das Segment innen beginnt.</translation>
    </message>
</context>
<context>
    <name>ToolBar</name>
    <message>
        <source>Copy the selected element</source>
        <translation>Gewähltes Element kopieren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>New hand</source>
        <translation>Neuer Zeiger</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>New time slice</source>
        <translation>Neues Zeitsegment</translation>
    </message>
    <message>
        <source>Slice</source>
        <translation>Segment</translation>
    </message>
    <message>
        <source>New digital display</source>
        <translation>Neue Digitalanzeige</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Delete the selected element</source>
        <translation>Gewähltes Element löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move the selected element down (drawn later)</source>
        <translation>Gewähltes Element nach unten (später gezeichnet)</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ab</translation>
    </message>
    <message>
        <source>Move the selected element up (drawn earlier)</source>
        <translation>Gewähltes Element nach oben (früher gezeichnet)</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Auf</translation>
    </message>
</context>
<context>
    <name>ZonePicker</name>
    <message>
        <source>Choose a zone</source>
        <translation>Zone wählen</translation>
    </message>
    <message>
        <source>City, country or &amp;zone:</source>
        <translation>Stadt, Land oder &amp;Zone:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
</TS>
