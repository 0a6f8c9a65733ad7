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
    <name>zandrel::CollectedEnumerations</name>
    <message>
        <source>Collected Enumerations</source>
        <translation>Gesammelte Aufzählungen</translation>
    </message>
    <message>
        <source>Written into every class header and Java file, in this order:</source>
        <translation>Wird in jeden Klassen-Header und jede Java-Datei geschrieben, in dieser Reihenfolge:</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>Opens the enumeration dialog on this entry; its OK replaces it</source>
        <translation>Öffnet den Aufzählungsdialog mit diesem Eintrag; sein OK ersetzt ihn</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
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
    <name>zandrel::MergeDialog</name>
    <message>
        <source>Merge Conflicts</source>
        <translation>Konflikte beim Zusammenführen</translation>
    </message>
    <message>
        <source>Your changes and the new text change the same lines. Nothing has been written yet. Choose which lines to keep for each conflict and write your choices, or keep your files as they are: Keep my files leaves these files unchanged and writes the others.</source>
        <translation>Ihre Änderungen und der neue Text ändern dieselben Zeilen. Es wurde noch nichts geschrieben. Wählen Sie für jeden Konflikt, welche Zeilen bleiben, und schreiben Sie Ihre Auswahl, oder behalten Sie Ihre Dateien, wie sie sind: „Meine Dateien behalten“ lässt diese Dateien unverändert und schreibt die anderen.</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>&amp;Datei:</translation>
    </message>
    <message>
        <source>&amp;Previous conflict</source>
        <translation>&amp;Vorheriger Konflikt</translation>
    </message>
    <message>
        <source>&amp;Next conflict</source>
        <translation>&amp;Nächster Konflikt</translation>
    </message>
    <message>
        <source>&amp;This conflict:</source>
        <translation>Dieser &amp;Konflikt:</translation>
    </message>
    <message>
        <source>Keep my lines</source>
        <translation>Meine Zeilen behalten</translation>
    </message>
    <message>
        <source>Take the generated lines</source>
        <translation>Die erzeugten Zeilen übernehmen</translation>
    </message>
    <message>
        <source>Keep both (my lines first)</source>
        <translation>Beide behalten (meine zuerst)</translation>
    </message>
    <message>
        <source>&amp;Write my choices</source>
        <translation>&amp;Auswahl schreiben</translation>
    </message>
    <message>
        <source>&amp;Replace (old file to the trash)</source>
        <translation>&amp;Ersetzen (alte Datei in den Papierkorb)</translation>
    </message>
    <message>
        <source>&amp;Keep my files</source>
        <translation>Meine Dateien &amp;behalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Conflict %1 of %2, line %3</source>
        <translation>Konflikt %1 von %2, Zeile %3</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Merged your changes into %1</source>
        <translation>Ihre Änderungen in %1 übernommen</translation>
    </message>
    <message>
        <source>Wrote %1</source>
        <translation>%1 geschrieben</translation>
    </message>
    <message>
        <source>merged your changes into %1</source>
        <translation>Ihre Änderungen in %1 übernommen</translation>
    </message>
    <message>
        <source>wrote %1 with conflict markers</source>
        <translation>%1 mit Konfliktmarken geschrieben</translation>
    </message>
    <message>
        <source>left %1 unchanged</source>
        <translation>%1 unverändert gelassen</translation>
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
    <name>zandrel::TForm1</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>&amp;Build…</source>
        <translation>&amp;Erstellen…</translation>
    </message>
    <message>
        <source>Write the class&apos;s files</source>
        <translation>Die Dateien der Klasse schreiben</translation>
    </message>
    <message>
        <source>R&amp;ebuild</source>
        <translation>&amp;Wieder erstellen</translation>
    </message>
    <message>
        <source>Write the class&apos;s files again where they were last built</source>
        <translation>Die Dateien der Klasse erneut dorthin schreiben, wo sie zuletzt erstellt wurden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Insert Row</source>
        <translation>&amp;Zeile einfügen</translation>
    </message>
    <message>
        <source>Delete R&amp;ows</source>
        <translation>Zeilen ent&amp;fernen</translation>
    </message>
    <message>
        <source>Move Row &amp;Up</source>
        <translation>Zeile nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Row Do&amp;wn</source>
        <translation>Zeile nach &amp;unten</translation>
    </message>
    <message>
        <source>Dup&amp;licate Row</source>
        <translation>Zeile &amp;duplizieren</translation>
    </message>
    <message>
        <source>Collected &amp;Enumerations…</source>
        <translation>&amp;Gesammelte Aufzählungen…</translation>
    </message>
    <message>
        <source>Cle&amp;ar</source>
        <translation>&amp;Alles leeren</translation>
    </message>
    <message>
        <source>Empty the class name and the member table</source>
        <translation>Klassenname und Elementtabelle leeren</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Generate</source>
        <translation>&amp;Generieren</translation>
    </message>
    <message>
        <source>Generate &amp;Enumeration…</source>
        <translation>&amp;Aufzählung erzeugen…</translation>
    </message>
    <message>
        <source>Generate Enumeration as a &amp;Class…</source>
        <translation>Aufzählung als &amp;Klasse erzeugen…</translation>
    </message>
    <message>
        <source>Generate Constant &amp;Sequence</source>
        <translation>Konstanten&amp;folge erzeugen</translation>
    </message>
    <message>
        <source>&amp;Log an error or comment…</source>
        <translation>Fehler oder Anmerkung &amp;protokollieren…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show &amp;Preview</source>
        <translation>&amp;Vorschau anzeigen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Zandrel &amp;Help</source>
        <translation>Zandrel-&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Zandrel</source>
        <translation>&amp;Über Zandrel</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Open the folder Build wrote to</source>
        <translation>Den Ordner öffnen, in den Erstellen geschrieben hat</translation>
    </message>
    <message>
        <source>Adds nothing for this target</source>
        <translation>Fügt für dieses Ziel nichts hinzu</translation>
    </message>
    <message>
        <source>Adds %1 to the header</source>
        <translation>Fügt dem Header %1 hinzu</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Wrote %1 in %2</source>
        <translation>%1 in %2 geschrieben</translation>
    </message>
    <message>
        <source>Please note precisely what the error is or what should be improved.</source>
        <translation>Bitte beschreiben Sie genau, worin der Fehler besteht oder was verbessert werden sollte.</translation>
    </message>
    <message>
        <source>Open Class Description</source>
        <translation>Klassenbeschreibung öffnen</translation>
    </message>
    <message>
        <source>Save Class Description As</source>
        <translation>Klassenbeschreibung speichern unter</translation>
    </message>
    <message>
        <source>Nothing written</source>
        <translation>Nichts geschrieben</translation>
    </message>
    <message>
        <source>. Note: </source>
        <translation>. Hinweis: </translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>This function has not yet been implemented.</source>
        <translation>Diese Funktion ist noch nicht umgesetzt.</translation>
    </message>
    <message>
        <source>Oops, unavailable feature.</source>
        <translation>Hoppla, Funktion nicht verfügbar.</translation>
    </message>
    <message>
        <source>Target System</source>
        <translation>Zielsystem</translation>
    </message>
    <message>
        <source>Form of Names</source>
        <translation>Schreibweise der Namen</translation>
    </message>
    <message>
        <source>Collect Enumeration</source>
        <translation>Aufzählung übernehmen</translation>
    </message>
    <message>
        <source>Type a class name to see the files Build will write.</source>
        <translation>Geben Sie einen Klassennamen ein, um die Dateien zu sehen, die Erstellen schreibt.</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Note: %1.</source>
        <translation>Hinweis: %1.</translation>
    </message>
    <message>
        <source>Typing in Class Name</source>
        <translation>Eingabe im Klassennamen</translation>
    </message>
    <message>
        <source>Comparisons</source>
        <translation>Vergleiche</translation>
    </message>
    <message>
        <source>Copied %1</source>
        <translation>%1 kopiert</translation>
    </message>
    <message>
        <source>Typing in Row %1</source>
        <translation>Eingabe in Zeile %1</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>&amp;Build</source>
        <translation>&amp;Erstellen</translation>
    </message>
    <message>
        <source>&amp;Class Name</source>
        <translation>&amp;Klassenname</translation>
    </message>
    <message>
        <source>Member &amp;data and functions</source>
        <translation>Datenele&amp;mente und Funktionen</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Initial value</source>
        <translation>Anfangswert</translation>
    </message>
    <message>
        <source>Com&amp;parisons</source>
        <translation>&amp;Vergleiche</translation>
    </message>
    <message>
        <source>No comparison operators</source>
        <translation>Keine Vergleichsoperatoren</translation>
    </message>
    <message>
        <source>Equal and not equal only (you implement = and &lt;)</source>
        <translation>Nur gleich und ungleich (Sie implementieren = und &lt;)</translation>
    </message>
    <message>
        <source>All comparisons (you implement = and &lt;)</source>
        <translation>Alle Vergleiche (Sie implementieren = und &lt;)</translation>
    </message>
    <message>
        <source>Ma&amp;ke copy constructor and = operator private</source>
        <translation>Kopierkonstruktor und =-Operator &amp;privat machen</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>Bibliotheken</translation>
    </message>
    <message>
        <source>&amp;StdLib</source>
        <translation>&amp;StdLib</translation>
    </message>
    <message>
        <source>Ma&amp;th</source>
        <translation>Ma&amp;th</translation>
    </message>
    <message>
        <source>C Style Str&amp;ings</source>
        <translation>&amp;C-Zeichenketten</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Beende&amp;n</translation>
    </message>
    <message>
        <source>Generate En&amp;umeration</source>
        <translation>A&amp;ufzählung erzeugen</translation>
    </message>
    <message>
        <source>L&amp;og an error or comment</source>
        <translation>Fehler oder Anmerkung pr&amp;otokollieren</translation>
    </message>
    <message>
        <source>Gener&amp;ate Enumeration as a Class</source>
        <translation>Au&amp;fzählung als Klasse erzeugen</translation>
    </message>
    <message>
        <source>Generate Constant Se&amp;quence</source>
        <translation>Konstantenfolge e&amp;rzeugen</translation>
    </message>
    <message>
        <source>Constructor &amp;with all variables as parameters</source>
        <translation>Konstruktor m&amp;it allen Variablen als Parametern</translation>
    </message>
    <message>
        <source>Generate a ToString &amp;method</source>
        <translation>ToStr&amp;ing-Methode erzeugen</translation>
    </message>
    <message>
        <source>Form of &amp;names</source>
        <translation>Schreib&amp;weise der Namen</translation>
    </message>
    <message>
        <source>get_variable and set_variable</source>
        <translation>get_variable und set_variable</translation>
    </message>
    <message>
        <source>getVariable and setVariable</source>
        <translation>getVariable und setVariable</translation>
    </message>
    <message>
        <source>GetVariable and SetVariable</source>
        <translation>GetVariable und SetVariable</translation>
    </message>
    <message>
        <source>Ta&amp;rget system</source>
        <translation>Ziels&amp;ystem</translation>
    </message>
    <message>
        <source>&amp;Show preview</source>
        <translation>Vor&amp;schau anzeigen</translation>
    </message>
    <message>
        <source>Write the header and source file, or the Java file, of this class (Ctrl+B)</source>
        <translation>Header- und Quelldatei oder die Java-Datei dieser Klasse schreiben (Strg+B)</translation>
    </message>
    <message>
        <source>Empty the class name and the member table and untick the options</source>
        <translation>Klassenname und Elementtabelle leeren und die Optionen abwählen</translation>
    </message>
    <message>
        <source>Close Zandrel (Ctrl+Q)</source>
        <translation>Zandrel schließen (Strg+Q)</translation>
    </message>
    <message>
        <source>Write a C++ enumeration with a function that names its values</source>
        <translation>Eine C++-Aufzählung mit einer Funktion schreiben, die ihre Werte benennt</translation>
    </message>
    <message>
        <source>Write a comment or an error report into your log file</source>
        <translation>Eine Anmerkung oder Fehlermeldung in Ihre Protokolldatei schreiben</translation>
    </message>
    <message>
        <source>Write a C++ enumeration wrapped in a class</source>
        <translation>Eine in eine Klasse gefasste C++-Aufzählung schreiben</translation>
    </message>
    <message>
        <source>Not available yet</source>
        <translation>Noch nicht verfügbar</translation>
    </message>
    <message>
        <source>The class&apos;s name; it also names the files Build writes</source>
        <translation>Der Name der Klasse; er benennt auch die Dateien, die Erstellen schreibt</translation>
    </message>
    <message>
        <source>One member a row: its type, its name (with a parameter list for a method) and an optional initial value</source>
        <translation>Ein Element pro Zeile: sein Typ, sein Name (bei einer Methode mit Parameterliste) und ein optionaler Anfangswert</translation>
    </message>
    <message>
        <source>Which comparison operators the class declares</source>
        <translation>Welche Vergleichsoperatoren die Klasse deklariert</translation>
    </message>
    <message>
        <source>Declares the copy constructor and = operator private, so objects cannot be copied</source>
        <translation>Deklariert Kopierkonstruktor und =-Operator privat, sodass Objekte nicht kopiert werden können</translation>
    </message>
    <message>
        <source>Adds #include &lt;stdlib.h&gt; to the header</source>
        <translation>Fügt dem Header #include &lt;stdlib.h&gt; hinzu</translation>
    </message>
    <message>
        <source>Adds #include &lt;math.h&gt; to the header</source>
        <translation>Fügt dem Header #include &lt;math.h&gt; hinzu</translation>
    </message>
    <message>
        <source>Adds #include &lt;string.h&gt; to the header</source>
        <translation>Fügt dem Header #include &lt;string.h&gt; hinzu</translation>
    </message>
    <message>
        <source>Adds a constructor that takes every member variable as a parameter</source>
        <translation>Fügt einen Konstruktor hinzu, der jede Elementvariable als Parameter nimmt</translation>
    </message>
    <message>
        <source>Declares a ToString method for you to implement</source>
        <translation>Deklariert eine ToString-Methode, die Sie implementieren</translation>
    </message>
    <message>
        <source>How the accessors of each member are named</source>
        <translation>Wie die Zugriffsmethoden jedes Elements heißen</translation>
    </message>
    <message>
        <source>The compiler or language the files are written for</source>
        <translation>Der Compiler oder die Sprache, für die die Dateien geschrieben werden</translation>
    </message>
    <message>
        <source>Show beside the table what Build would write now</source>
        <translation>Neben der Tabelle zeigen, was Erstellen jetzt schreiben würde</translation>
    </message>
    <message>
        <source>What Build would write now</source>
        <translation>Was Erstellen jetzt schreiben würde</translation>
    </message>
    <message>
        <source>Class name</source>
        <translation>Klassenname</translation>
    </message>
    <message>
        <source>Member data and functions</source>
        <translation>Datenelemente und Funktionen</translation>
    </message>
    <message>
        <source>Form of names</source>
        <translation>Schreibweise der Namen</translation>
    </message>
    <message>
        <source>Target system</source>
        <translation>Zielsystem</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Save changes to the new class description?</source>
        <translation>Änderungen an der neuen Klassenbeschreibung speichern?</translation>
    </message>
    <message>
        <source>Save changes to &quot;%1&quot;?</source>
        <translation>Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Änderungen speichern</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Opened %1</source>
        <translation>%1 geöffnet</translation>
    </message>
    <message>
        <source>Nothing saved</source>
        <translation>Nichts gespeichert</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Some of the pasted text did not fit into the member table and was left out.</source>
        <translation>Ein Teil des eingefügten Textes passte nicht in die Elementtabelle und wurde weggelassen.</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Zeile einfügen</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>Zeilen entfernen</translation>
    </message>
    <message>
        <source>Move Rows Up</source>
        <translation>Zeilen nach oben</translation>
    </message>
    <message>
        <source>Move Rows Down</source>
        <translation>Zeilen nach unten</translation>
    </message>
    <message>
        <source>Duplicate Rows</source>
        <translation>Zeilen duplizieren</translation>
    </message>
    <message>
        <source>Copied the selected cells</source>
        <translation>Die ausgewählten Zellen kopiert</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Remove Enumeration</source>
        <translation>Aufzählung entfernen</translation>
    </message>
    <message>
        <source>Edit Enumeration</source>
        <translation>Aufzählung bearbeiten</translation>
    </message>
    <message>
        <source>Move Enumeration</source>
        <translation>Aufzählung verschieben</translation>
    </message>
    <message>
        <source>Private Copy</source>
        <translation>Private Kopie</translation>
    </message>
    <message>
        <source>Framework Library</source>
        <translation>Framework-Bibliothek</translation>
    </message>
    <message>
        <source>StdLib</source>
        <translation>StdLib</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Math</translation>
    </message>
    <message>
        <source>C Style Strings</source>
        <translation>C-Zeichenketten</translation>
    </message>
    <message>
        <source>Big Constructor</source>
        <translation>Konstruktor mit allen Variablen</translation>
    </message>
    <message>
        <source>ToString Method</source>
        <translation>ToString-Methode</translation>
    </message>
    <message>
        <source>VCL</source>
        <translation>VCL</translation>
    </message>
    <message>
        <source>&amp;JSON conversion functions</source>
        <translation>&amp;JSON-Umwandlungsfunktionen</translation>
    </message>
    <message>
        <source>Adds to_json and from_json for nlohmann/json, member by member</source>
        <translation>Fügt to_json und from_json für nlohmann/json hinzu, Element für Element</translation>
    </message>
    <message>
        <source>JSON Functions</source>
        <translation>JSON-Funktionen</translation>
    </message>
    <message>
        <source>std::hash s&amp;pecialisation</source>
        <translation>std::hash-S&amp;pezialisierung</translation>
    </message>
    <message>
        <source>Adds a std::hash of the class that mixes every data member</source>
        <translation>Fügt einen std::hash der Klasse hinzu, der jedes Datenelement einmischt</translation>
    </message>
    <message>
        <source>Hash Function</source>
        <translation>Hash-Funktion</translation>
    </message>
    <message>
        <source>fmt and std::format formatters</source>
        <translation>Formatierer für fmt und std::format</translation>
    </message>
    <message>
        <source>Adds formatters for fmt and std::format that print what operator&lt;&lt; prints; turns on the stream output</source>
        <translation>Fügt Formatierer für fmt und std::format hinzu, die ausgeben, was operator&lt;&lt; ausgibt; schaltet die Stream-Ausgabe ein</translation>
    </message>
    <message>
        <source>Formatter</source>
        <translation>Formatierer</translation>
    </message>
    <message>
        <source>Import &amp;Header…</source>
        <translation>&amp;Header importieren…</translation>
    </message>
    <message>
        <source>Fill the window from a class of a C++ header</source>
        <translation>Das Fenster aus einer Klasse eines C++-Headers füllen</translation>
    </message>
    <message>
        <source>Import Header</source>
        <translation>Header importieren</translation>
    </message>
    <message>
        <source>C++ headers|*.h;*.hh;*.hpp;*.hxx|All files|*</source>
        <translation>C++-Header|*.h;*.hh;*.hpp;*.hxx|Alle Dateien|*</translation>
    </message>
    <message>
        <source>%1 holds only enumerations; Generate Enumeration makes them</source>
        <translation>%1 enthält nur Aufzählungen; Aufzählung erzeugen erstellt sie</translation>
    </message>
    <message>
        <source>%1 defines several classes. Import:</source>
        <translation>%1 definiert mehrere Klassen. Importieren:</translation>
    </message>
    <message>
        <source>Nothing imported</source>
        <translation>Nichts importiert</translation>
    </message>
    <message>
        <source>Imported %1 from %2</source>
        <translation>%1 aus %2 importiert</translation>
    </message>
    <message>
        <source>Build refuses these names: %1.</source>
        <translation>Build lehnt diese Namen ab: %1.</translation>
    </message>
    <message>
        <source>. Warning: </source>
        <translation>. Warnung: </translation>
    </message>
    <message>
        <source>Warning: %1.</source>
        <translation>Warnung: %1.</translation>
    </message>
    <message>
        <source>Reading %1… (Escape cancels)</source>
        <translation>%1 wird gelesen… (Escape bricht ab)</translation>
    </message>
    <message>
        <source>Import cancelled</source>
        <translation>Import abgebrochen</translation>
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
    <message>
        <source>&amp;Modern C++ (enum class)</source>
        <translation>&amp;Modernes C++ (enum class)</translation>
    </message>
    <message>
        <source>Bit f&amp;lags</source>
        <translation>Bit-&amp;Flags</translation>
    </message>
    <message>
        <source>&amp;Ignore case</source>
        <translation>Groß-/Kleinschreibung &amp;ignorieren</translation>
    </message>
    <message>
        <source>Fo&amp;rmatters</source>
        <translation>Fo&amp;rmatierer</translation>
    </message>
    <message>
        <source>&amp;JSON</source>
        <translation>&amp;JSON</translation>
    </message>
    <message>
        <source>A bit-flag set: names without a value take 1, 2, 4, ..., a zero named None is added unless a name is 0, with the operators | &amp; ^ ~; to_string joins names by |. No first and last names</source>
        <translation>Eine Menge von Bit-Flags: Namen ohne Wert erhalten 1, 2, 4, ..., eine Null namens None kommt hinzu, sofern kein Name 0 ist, mit den Operatoren | &amp; ^ ~; to_string verbindet Namen mit |. Ohne ersten und letzten Namen</translation>
    </message>
    <message>
        <source>TYPE_from_string takes the names in any ASCII letter case too; an exact match wins</source>
        <translation>TYPE_from_string nimmt die Namen auch in beliebiger ASCII-Groß- und Kleinschreibung; ein genauer Treffer geht vor</translation>
    </message>
    <message>
        <source>fmt::formatter and std::formatter, each where its header is there, printing to_string</source>
        <translation>fmt::formatter und std::formatter, jeweils wo sein Header vorhanden ist; sie geben to_string aus</translation>
    </message>
    <message>
        <source>to_json and from_json for nlohmann/json by name; from_json throws std::invalid_argument for a name the type does not have</source>
        <translation>to_json und from_json für nlohmann/json über den Namen; from_json wirft std::invalid_argument bei einem Namen, den der Typ nicht hat</translation>
    </message>
    <message>
        <source>Writes an enum class with constexpr to_string, TYPE_from_string and TYPE_values, for the Modern C++ (C++20) target; with a separate file, a header alone</source>
        <translation>Schreibt eine enum class mit constexpr to_string, TYPE_from_string und TYPE_values für das Ziel Modern C++ (C++20); mit eigener Datei nur einen Header</translation>
    </message>
    <message>
        <source>. Warning: %1</source>
        <translation>. Warnung: %1</translation>
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
