<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
