<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ASpaceList</name>
    <message>
        <source>Airspaces</source>
        <translation>Lufträume</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Memory used on instrument.</source>
        <translation>Belegter Speicher im Instrument.</translation>
    </message>
    <message>
        <source>Airspace</source>
        <translation>Luftraum</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Klasse</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Openair files</source>
        <translation>OpenAir-Dateien</translation>
    </message>
    <message>
        <source>txt Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>This file could not be read: %1</source>
        <translation>Diese Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Overflow!! %1%</source>
        <translation>Speicherüberlauf!! %1 %</translation>
    </message>
    <message>
        <source>The window closes when the transfer has ended.</source>
        <translation>Das Fenster schließt sich, wenn die Übertragung beendet ist.</translation>
    </message>
</context>
<context>
    <name>AirSpace</name>
    <message>
        <source>R restricted</source>
        <translation>R Flugbeschränkungsgebiet</translation>
    </message>
    <message>
        <source>Q danger</source>
        <translation>Q Gefahrengebiet</translation>
    </message>
    <message>
        <source>P prohibited</source>
        <translation>P Luftsperrgebiet</translation>
    </message>
    <message>
        <source>A Class A</source>
        <translation>A Klasse A</translation>
    </message>
    <message>
        <source>B Class B</source>
        <translation>B Klasse B</translation>
    </message>
    <message>
        <source>C Class C</source>
        <translation>C Klasse C</translation>
    </message>
    <message>
        <source>D Class D</source>
        <translation>D Klasse D</translation>
    </message>
    <message>
        <source>GP glider prohibited</source>
        <translation>GP Segelflugverbot</translation>
    </message>
    <message>
        <source>CTR CTR</source>
        <translation>CTR Kontrollzone</translation>
    </message>
    <message>
        <source>W Wave Window</source>
        <translation>W Wellenfenster</translation>
    </message>
    <message>
        <source>Name:&lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Class:&lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Floor:%3&lt;br&gt;Ceiling:%4&lt;br&gt;</source>
        <translation>Name: &lt;b&gt;%1&lt;/b&gt;&lt;br&gt;Klasse: &lt;b&gt;%2&lt;/b&gt;&lt;br&gt;Untergrenze: %3&lt;br&gt;Obergrenze: %4&lt;br&gt;</translation>
    </message>
</context>
<context>
    <name>DataFields</name>
    <message>
        <source>could not access DB!</source>
        <translation>Kein Zugriff auf die Datenbank!</translation>
    </message>
</context>
<context>
    <name>LayoutFile</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a layout file (line %2: %3).</source>
        <translation>%1 ist keine Layout-Datei (Zeile %2: %3).</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Zarvin Designer</source>
        <translation>Zarvin Designer</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing layout</source>
        <translation>Vorhandenes Layout öffnen</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>S&amp;end to device</source>
        <translation>An &amp;Gerät senden</translation>
    </message>
    <message>
        <source>&amp;Receive from device</source>
        <translation>Vom Gerät &amp;empfangen</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Format toolbar</source>
        <translation>Werkzeugleiste Format</translation>
    </message>
    <message>
        <source>File toolbar</source>
        <translation>Werkzeugleiste Datei</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Oben ausrichten</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Unten ausrichten</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Links ausrichten</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Rechts ausrichten</translation>
    </message>
    <message>
        <source>Align center</source>
        <translation>Horizontal zentrieren</translation>
    </message>
    <message>
        <source>Align middle</source>
        <translation>Vertikal zentrieren</translation>
    </message>
    <message>
        <source>Align height</source>
        <translation>Gleiche Höhe</translation>
    </message>
    <message>
        <source>Align width</source>
        <translation>Gleiche Breite</translation>
    </message>
    <message>
        <source>Vertical join</source>
        <translation>Untereinander anfügen</translation>
    </message>
    <message>
        <source>Horizontal join</source>
        <translation>Nebeneinander anfügen</translation>
    </message>
    <message>
        <source>Text align right</source>
        <translation>Text rechtsbündig</translation>
    </message>
    <message>
        <source>Text align center</source>
        <translation>Text zentriert</translation>
    </message>
    <message>
        <source>Text align left</source>
        <translation>Text linksbündig</translation>
    </message>
    <message>
        <source>Large font</source>
        <translation>Große Schrift</translation>
    </message>
    <message>
        <source>Normal font</source>
        <translation>Normale Schrift</translation>
    </message>
    <message>
        <source>Tiny font</source>
        <translation>Sehr kleine Schrift</translation>
    </message>
    <message>
        <source>Autosize</source>
        <translation>Automatische Größe</translation>
    </message>
    <message>
        <source>Airspaces</source>
        <translation>Lufträume</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>&amp;Format</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Formating</source>
        <translation>Formatierung</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Bearbeitung</translation>
    </message>
    <message>
        <source>Zarvin Designer

Designs the screen pages of Zarvin flight instruments and sends them to the instrument.</source>
        <translation>Zarvin Designer

Gestaltet die Bildschirmseiten der Zarvin-Fluginstrumente und überträgt sie auf das Instrument.</translation>
    </message>
    <message>
        <source>Load Layout</source>
        <translation>Layout laden</translation>
    </message>
    <message>
        <source>Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)</source>
        <translation>Layouts (*.zvl *.xml);;Layout-Dateien (*.zvl);;XML-Dateien (*.xml)</translation>
    </message>
    <message>
        <source>Save Layout</source>
        <translation>Layout speichern</translation>
    </message>
    <message>
        <source>Layout Files (*.zvl)</source>
        <translation>Layout-Dateien (*.zvl)</translation>
    </message>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>%1 kann nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>%1 is not a valid layout file.
Line %2: %3</source>
        <translation>%1 ist keine gültige Layout-Datei.
Zeile %2: %3</translation>
    </message>
    <message>
        <source>The layout could not be saved to %1:
%2</source>
        <translation>Das Layout konnte nicht unter %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>&amp;%1 %2</source>
        <translation>&amp;%1 %2</translation>
    </message>
    <message>
        <source>The layout has been modified.</source>
        <translation>Das Layout wurde geändert.</translation>
    </message>
    <message>
        <source>Do you want to save your changes?</source>
        <translation>Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Layout has no elements!</source>
        <translation>Das Layout enthält keine Elemente!</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italienisch</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanisch</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russisch</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portugiesisch</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Target Device</source>
        <translation>Zielgerät</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Sending:</source>
        <translation>Senden:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>no sql driver!</source>
        <translation>Kein SQL-Treiber vorhanden!</translation>
    </message>
</context>
<context>
    <name>R8elementProp</name>
    <message>
        <source>Element properties</source>
        <translation>Elementeigenschaften</translation>
    </message>
    <message>
        <source>Data field</source>
        <translation>Datenfeld</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>Geometrie</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>%1:</source>
        <translation>%1:</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Bellow</source>
        <translation>Darunter</translation>
    </message>
    <message>
        <source>Tiny</source>
        <translation>Sehr klein</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Field is invalid.</source>
        <translation>Das Feld ist ungültig.</translation>
    </message>
</context>
<context>
    <name>ScreenLayoutProps</name>
    <message>
        <source>Airspace warning</source>
        <translation>Luftraumwarnung</translation>
    </message>
    <message>
        <source>Entering thermal</source>
        <translation>Einflug in die Thermik</translation>
    </message>
    <message>
        <source>Transition (leaving thermal)</source>
        <translation>Gleitflug (Thermik verlassen)</translation>
    </message>
    <message>
        <source>Arriving at turnpoint</source>
        <translation>Ankunft am Wendepunkt</translation>
    </message>
    <message>
        <source>Start opened</source>
        <translation>Start geöffnet</translation>
    </message>
    <message>
        <source>Power up</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Page properties</source>
        <translation>Seiteneigenschaften</translation>
    </message>
    <message>
        <source>Page Names</source>
        <translation>Seitenname</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
</context>
<context>
    <name>ScreenThumb</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>ZvCommandSender</name>
    <message>
        <source>Command too long for the device, not sent.</source>
        <translation>Befehl zu lang für das Gerät, nicht gesendet.</translation>
    </message>
    <message>
        <source>Connection to device lost.</source>
        <translation>Verbindung zum Gerät unterbrochen.</translation>
    </message>
    <message>
        <source>Time out while sending to device.</source>
        <translation>Zeitüberschreitung beim Senden an das Gerät.</translation>
    </message>
    <message>
        <source>Device did not confirm final message!</source>
        <translation>Das Gerät hat die letzte Nachricht nicht bestätigt!</translation>
    </message>
    <message>
        <source>Could not connect to device.</source>
        <translation>Keine Verbindung zum Gerät möglich.</translation>
    </message>
    <message>
        <source>%1 not supported.</source>
        <translation>%1 wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Connected to %1.</source>
        <translation>Verbunden mit %1.</translation>
    </message>
    <message>
        <source>All data sent.</source>
        <translation>Alle Daten gesendet.</translation>
    </message>
</context>
<context>
    <name>firmwareSender</name>
    <message>
        <source>Firmware upload</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Send to Instrument</source>
        <translation>An Instrument senden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Firmware file name:</source>
        <translation>Firmware-Datei:</translation>
    </message>
    <message>
        <source>Get Layout</source>
        <translation>Layout abrufen</translation>
    </message>
    <message>
        <source>Firmware files</source>
        <translation>Firmware-Dateien</translation>
    </message>
    <message>
        <source>firmware files (*.zvf)</source>
        <translation>Firmware-Dateien (*.zvf)</translation>
    </message>
</context>
<context>
    <name>firmwareToDevice</name>
    <message>
        <source>Invalid file!</source>
        <translation>Ungültige Datei!</translation>
    </message>
    <message>
        <source>Corrupt firmware file!</source>
        <translation>Beschädigte Firmware-Datei!</translation>
    </message>
    <message>
        <source>unknown model!</source>
        <translation>Unbekanntes Modell!</translation>
    </message>
    <message>
        <source>No instrument is connected!</source>
        <translation>Kein Instrument angeschlossen!</translation>
    </message>
    <message>
        <source>Please use Podrum application for the non SD instruments.</source>
        <translation>Für Instrumente ohne SD verwenden Sie bitte das Programm Podrum.</translation>
    </message>
    <message>
        <source>This firmware is not for the %1</source>
        <translation>Diese Firmware ist nicht für das %1</translation>
    </message>
    <message>
        <source>Firmware file is too large!</source>
        <translation>Die Firmware-Datei ist zu groß!</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>Die Datei existiert nicht!</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Starte...</translation>
    </message>
    <message>
        <source>Instrument not responding.</source>
        <translation>Das Instrument antwortet nicht.</translation>
    </message>
    <message>
        <source>Waiting...%1</source>
        <translation>Warte...%1</translation>
    </message>
    <message>
        <source>Programing...</source>
        <translation>Programmiere...</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
</TS>
