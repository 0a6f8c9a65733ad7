<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>zandrel::ChoiceBox</name>
    <message>
        <source>Invalid selection - try again</source>
        <translation>Ungültige Auswahl – bitte erneut versuchen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>zandrel::FilePreview</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>The preview failed: %1</source>
        <translation>Die Vorschau ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Cop&amp;y</source>
        <extracomment>Its Alt letter must be one that no other control or menu of the main window and of the enumeration dialog takes</extracomment>
        <translation>In &amp;Zwischenablage</translation>
    </message>
    <message>
        <source>Copy the shown file&apos;s text (Ctrl+Shift+C)</source>
        <translation>Kopiert den Text der angezeigten Datei in die Zwischenablage (Strg+Umschalt+C)</translation>
    </message>
</context>
<context>
    <name>zandrel::HelpWindow</name>
    <message>
        <source>Zandrel Help</source>
        <translation>Zandrel-Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Closes the help (Escape)</source>
        <translation>Schließt die Hilfe (Escape)</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Zandrel %1&lt;/h3&gt;&lt;p&gt;Writes the skeletons of C++ and Java classes (for CBuilder, DevC++, Visual C++ and Java) and enumerations, plain or wrapped in a class, from what you type.&lt;/p&gt;&lt;p&gt;The same generators run from the command line as &lt;code&gt;zandrel-gen&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;Built with Qt %2. Press F1 for help.&lt;/p&gt;&lt;p&gt;Copyright (c) %3. Free software under the MIT License.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Zandrel %1&lt;/h3&gt;&lt;p&gt;Schreibt aus Ihren Eingaben die Gerüste von C++- und Java-Klassen (für CBuilder, DevC++, Visual C++ und Java) und Aufzählungen, einfach oder in eine Klasse gefasst.&lt;/p&gt;&lt;p&gt;Dieselben Generatoren laufen auf der Kommandozeile als &lt;code&gt;zandrel-gen&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;Erstellt mit Qt %2. F1 öffnet die Hilfe.&lt;/p&gt;&lt;p&gt;Copyright (c) %3. Freie Software unter der MIT-Lizenz.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About Zandrel</source>
        <translation>Über Zandrel</translation>
    </message>
    <message>
        <source>qrc:/zandrel/help/zandrel-help.html</source>
        <extracomment>The help page in this language, shipped beside the English one</extracomment>
        <translation>qrc:/zandrel/help/zandrel-help.de.html</translation>
    </message>
</context>
<context>
    <name>zandrel::QtPlatformServices</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>No program was found to open the folder %1.</source>
        <translation>Es wurde kein Programm gefunden, das den Ordner %1 öffnen kann.</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>zandrel::TGenEnumForm</name>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Wrote %1 in %2</source>
        <translation>%1 in %2 geschrieben</translation>
    </message>
    <message>
        <source>The enumeration has no names.</source>
        <translation>Die Aufzählung hat keine Namen.</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>The names will come from a list file, chosen when you press OK.</source>
        <translation>Die Namen kommen aus einer Listendatei, die Sie beim Klick auf OK wählen.</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelltext</translation>
    </message>
    <message>
        <source>Generate Enumeration</source>
        <translation>Aufzählung erzeugen</translation>
    </message>
    <message>
        <source>The &amp;value is optional.</source>
        <translation>Der &amp;Wert ist optional.</translation>
    </message>
    <message>
        <source>&amp;Type Name</source>
        <translation>&amp;Typname</translation>
    </message>
    <message>
        <source>Generate &amp;first and last enumerations</source>
        <translation>Erste und letzte Aufzählungswerte erzeu&amp;gen</translation>
    </message>
    <message>
        <source>&amp;Apply prefix to all enumation names when saving</source>
        <translation>Präfix beim Speichern allen Aufzählungsnamen &amp;voranstellen</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>&amp;Präfix</translation>
    </message>
    <message>
        <source>&amp;Save in separate file</source>
        <translation>In eigener &amp;Datei speichern</translation>
    </message>
    <message>
        <source>&amp;Enter from file</source>
        <translation>Aus Datei ein&amp;lesen</translation>
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
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Names and values</source>
        <translation>Namen und Werte</translation>
    </message>
    <message>
        <source>The enumeration&apos;s type name; the files are named after it, and OK puts it into the first empty Type cell of the member table</source>
        <translation>Der Typname der Aufzählung; die Dateien werden nach ihm benannt, und OK trägt ihn in die erste leere Typ-Zelle der Member-Tabelle ein</translation>
    </message>
    <message>
        <source>Adds the enumerators FirstUnused before the names and LastUnused after them, so that code can loop from the first name to the last</source>
        <translation>Fügt FirstUnused vor den Namen und LastUnused nach ihnen ein, damit Code in einer Schleife vom ersten bis zum letzten Namen laufen kann</translation>
    </message>
    <message>
        <source>Puts the prefix in front of every enumerator name, FirstUnused and LastUnused included</source>
        <translation>Stellt das Präfix jedem Aufzählungsnamen voran, auch FirstUnused und LastUnused</translation>
    </message>
    <message>
        <source>The text put in front of every enumerator name; proposed from the type name when you leave Type Name</source>
        <translation>Der Text, der jedem Aufzählungsnamen vorangestellt wird; beim Verlassen von Typname wird er aus dem Typnamen vorgeschlagen</translation>
    </message>
    <message>
        <source>One enumerator a row: its name and, if you like, its value (decimal, or hex as $1F or 0x10). Tab moves between cells; Ctrl+Tab leaves the grid</source>
        <translation>Ein Aufzählungswert pro Zeile: sein Name und, wenn gewünscht, sein Wert (dezimal oder hexadezimal als $1F oder 0x10). Tab wechselt zwischen den Zellen; Strg+Tab verlässt die Tabelle</translation>
    </message>
    <message>
        <source>Writes the enumeration to a header and source file of its own, which later class headers include; unticked, its text goes into every later class header and Java file</source>
        <translation>Schreibt die Aufzählung in eine eigene Header- und Quelldatei, die spätere Klassen-Header einbinden; ohne Haken kommt ihr Text in jeden späteren Klassen-Header und jede Java-Datei</translation>
    </message>
    <message>
        <source>Takes the names from a text file chosen when you press OK, instead of the grid: names separated by blanks or lines; lines starting with # or / are comments</source>
        <translation>Übernimmt die Namen statt aus der Tabelle aus einer Textdatei, die Sie beim Klick auf OK wählen: Namen durch Leerzeichen oder Zeilen getrennt; Zeilen, die mit # oder / beginnen, sind Kommentare</translation>
    </message>
    <message>
        <source>Generates the enumeration and hands it to the main window (Enter)</source>
        <translation>Erzeugt die Aufzählung und übergibt sie an das Hauptfenster (Eingabetaste)</translation>
    </message>
    <message>
        <source>Back to the main window; everything typed here is kept (Escape)</source>
        <translation>Zurück zum Hauptfenster; alle Eingaben hier bleiben erhalten (Escape)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>This enumeration is already collected. Collect it again?</source>
        <translation>Diese Aufzählung wurde bereits übernommen. Erneut übernehmen?</translation>
    </message>
    <message>
        <source>Collect Again</source>
        <translation>Erneut übernehmen</translation>
    </message>
    <message>
        <source>%1 collected: Build writes it into every later class header and Java file</source>
        <translation>%1 übernommen: Beim Erstellen kommt sie in jeden späteren Klassen-Header und jede Java-Datei</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>zandrel::TUserLogWindow</name>
    <message>
        <source>Log  Errors and User Comments</source>
        <translation>Protokoll  Fehler und Anmerkungen</translation>
    </message>
    <message>
        <source>Time and Date is automatically saved.</source>
        <translation>Datum und Uhrzeit werden automatisch gespeichert.</translation>
    </message>
    <message>
        <source>&amp;Log</source>
        <translation>&amp;Eintragen</translation>
    </message>
    <message>
        <source>Close &amp;without a Log</source>
        <translation>Schließen &amp;ohne Eintrag</translation>
    </message>
    <message>
        <source>Log and &amp;Close</source>
        <translation>Eintragen und &amp;schließen</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Anmerkung</translation>
    </message>
    <message>
        <source>Your comment or error report; it is written below the date and time, line by line as shown here</source>
        <translation>Ihre Anmerkung oder Fehlermeldung; sie wird unter Datum und Uhrzeit geschrieben, Zeile für Zeile wie hier gezeigt</translation>
    </message>
    <message>
        <source>Closes the window without writing; the comment is kept for next time (Escape)</source>
        <translation>Schließt das Fenster, ohne zu schreiben; die Anmerkung bleibt für das nächste Mal erhalten (Escape)</translation>
    </message>
    <message>
        <source>Appends the comment, stamped with the date and time, to %1; the window stays open for the next one</source>
        <translation>Hängt die Anmerkung mit Datum und Uhrzeit an %1 an; das Fenster bleibt für die nächste offen</translation>
    </message>
    <message>
        <source>Appends the comment, stamped with the date and time, to %1 and closes the window</source>
        <translation>Hängt die Anmerkung mit Datum und Uhrzeit an %1 an und schließt das Fenster</translation>
    </message>
    <message>
        <source>Each entry is appended to %1</source>
        <translation>Jeder Eintrag wird an %1 angehängt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
</TS>
