<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CalPicture</name>
    <message>
        <location filename="../src/recording/ui/CalPicture.cpp" line="+124"/>
        <source>Volume Control</source>
        <translation>Lautstärkeregler</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Output Devices</source>
        <translation>Ausgabegeräte</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Input Devices</source>
        <translation>Eingabegeräte</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>Built-in Audio Analog Stereo</source>
        <translation>Internes Audio Analog Stereo</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Microphone (plugged in)</source>
        <translation>Mikrofon (eingesteckt)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Silence</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Monitor of Built-in Audio Analog Stereo</source>
        <translation>Monitor von Internes Audio Analog Stereo</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Show:</source>
        <translation>Anzeigen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All Input Devices</source>
        <translation>Alle Eingabegeräte</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
</context>
<context>
    <name>CallFiles</name>
    <message>
        <location filename="../src/callstore/CallFiles.cpp" line="+119"/>
        <source>The note is no regular file: %1</source>
        <translation>Die Notiz ist keine reguläre Datei: %1</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>&lt;denied access to note file&gt;</source>
        <translation>&lt;Zugriff auf Notizdatei verweigert&gt;</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>A call named &quot;%1&quot; has no note file of its own</source>
        <translation>Ein Anruf namens „%1“ hat keine eigene Notizdatei</translation>
    </message>
</context>
<context>
    <name>CallList</name>
    <message>
        <location filename="../src/callstore/ui/CallList.cpp" line="+50"/>
        <source>Call list : double-click to play or right-click for menu</source>
        <translation>Anrufliste : Doppelklick zum Abspielen, Rechtsklick für das Menü</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Play Call</source>
        <translation>Anruf abspielen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Edit Call Note</source>
        <translation>Anrufnotiz bearbeiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete Call/s</source>
        <translation>Anruf(e) löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Email Call/s</source>
        <translation>Anruf(e) per E-Mail senden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Call/s</source>
        <translation>Anruf(e) speichern</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Listing calls: %1 found</source>
        <translation>Anrufe werden aufgelistet: %1 gefunden</translation>
    </message>
    <message>
        <location line="+279"/>
        <source>%1 call/s</source>
        <translation>%1 Anruf(e)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>(No Note)</source>
        <translation>(Keine Notiz)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error: %1 - %2 occured in frmMain:UpdateNoteField Method</source>
        <translation>Fehler: %1 - %2 ist in der Methode frmMain:UpdateNoteField aufgetreten</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Someone changed this note on another PC after you opened it.<byte value="xd"/>
<byte value="xd"/>
Yes: keep mine (theirs is replaced)<byte value="xd"/>
No: keep theirs (mine is dropped)<byte value="xd"/>
Cancel: show both, to merge them</source>
        <translation>Jemand hat diese Notiz auf einem anderen PC geändert, nachdem Sie sie geöffnet haben.<byte value="xd"/>
<byte value="xd"/>
Ja: meine Fassung behalten (die andere wird ersetzt)<byte value="xd"/>
Nein: die andere Fassung behalten (meine wird verworfen)<byte value="xd"/>
Abbrechen: beide anzeigen, um sie zusammenzuführen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>--- Mine ---
%1
--- Theirs (another PC) ---
%2</source>
        <translation>--- Meine Fassung ---
%1
--- Fassung des anderen PCs ---
%2</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>This note is too long to edit here (over 64 KB); it has been left unchanged.</source>
        <translation>Diese Notiz ist zu lang, um sie hier zu bearbeiten (über 64 KB); sie wurde nicht verändert.</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Error: %1 - %2</source>
        <translation>Fehler: %1 - %2</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>Deleting call %1 of %2</source>
        <translation>Anruf %1 von %2 wird gelöscht</translation>
    </message>
    <message>
        <location line="+127"/>
        <source>You are not permitted to play back calls</source>
        <translation>Sie dürfen keine Anrufe abspielen</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Please drag a single file at a time</source>
        <translation>Bitte ziehen Sie immer nur eine Datei auf einmal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drag / Drop</source>
        <translation>Ziehen und Ablegen</translation>
    </message>
</context>
<context>
    <name>CallListModel</name>
    <message>
        <location filename="../src/callstore/CallListModel.cpp" line="+80"/>
        <source>dd-MMM-yyyy</source>
        <extracomment>The list&apos;s date of a call, as a QDate format.</extracomment>
        <translation>dd.MM.yyyy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>HH:mm:ss</source>
        <extracomment>The list&apos;s time of a call, as a QTime format.</extracomment>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Call Date</source>
        <translation>Anrufdatum</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Call Time</source>
        <translation>Anrufzeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>CallRecorder</name>
    <message>
        <location filename="../src/recording/CallRecorder.cpp" line="+263"/>
        <source>An error occurred when stopping recording.  The error reported was: %1: %2</source>
        <translation>Beim Beenden der Aufnahme ist ein Fehler aufgetreten. Gemeldeter Fehler: %1: %2</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>CallSearch</name>
    <message>
        <location filename="../src/review/CallSearch.cpp" line="+53"/>
        <source>An error occured in: frmMain:FindCalls. The error reported was: %1, %2</source>
        <translation>In frmMain:FindCalls ist ein Fehler aufgetreten. Gemeldeter Fehler: %1, %2</translation>
    </message>
    <message>
        <location line="+146"/>
        <source>&lt;denied access to note file&gt;</source>
        <translation>&lt;Zugriff auf Notizdatei verweigert&gt;</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Query returned %1 calls.  This may take some time to display.<byte value="xd"/>
Click OK to continue or Cancel to refine your search</source>
        <translation>Die Suche hat %1 Anrufe ergeben. Die Anzeige kann einige Zeit dauern.<byte value="xd"/>
Klicken Sie auf „OK“, um fortzufahren, oder auf „Abbrechen“, um die Suche einzugrenzen</translation>
    </message>
</context>
<context>
    <name>CallSending</name>
    <message>
        <location filename="../src/review/ui/CallSending.cpp" line="+151"/>
        <source>Your mail program (%1) may not take attachments: the message would reach it without the calls.
Attach them by hand from their folder.</source>
        <translation>Ihr E-Mail-Programm (%1) nimmt möglicherweise keine Anhänge an: Die Nachricht käme dort ohne die Anrufe an.
Fügen Sie sie von Hand aus ihrem Ordner an.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>none set</source>
        <translation>keines eingestellt</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+54"/>
        <source>

Send anyway?</source>
        <translation>

Trotzdem senden?</translation>
    </message>
    <message>
        <location line="-53"/>
        <location line="+37"/>
        <source>Email Error</source>
        <translation>E-Mail-Fehler</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>Preparing call %1 of %2 for mail</source>
        <translation>Anruf %1 von %2 wird für die E-Mail vorbereitet</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>%1 Mb</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>EMail exceeds 1Mb (Actual size: %1)
Ensure the recipient can accept large emails.</source>
        <translation>Die E-Mail ist größer als 1 MB (tatsächliche Größe: %1)
Stellen Sie sicher, dass der Empfänger große E-Mails annehmen kann.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>EMail exceeds 1Mb (Actual size: %1) &amp; contains PCM files
You may wish to use a zip program to compress the files before sending.</source>
        <translation>Die E-Mail ist größer als 1 MB (tatsächliche Größe: %1) und enthält PCM-Dateien
Sie können die Dateien vor dem Senden mit einem Zip-Programm komprimieren.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Large Email Warning</source>
        <translation>Warnung: Große E-Mail</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Voxmere Telephone Call Recording</source>
        <translation>Voxmere: Aufnahme eines Telefonanrufs</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error Adding Attachment - </source>
        <translation>Fehler beim Anfügen des Anhangs - </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;no note&gt;</source>
        <translation>&lt;keine Notiz&gt;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>
Note: </source>
        <translation>
Notiz: </translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Error Sending Email - </source>
        <translation>Fehler beim Senden der E-Mail - </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Error Starting Email Session - </source>
        <translation>Fehler beim Starten der E-Mail-Sitzung - </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Do you want to give your own name to each saved call?</source>
        <translation>Möchten Sie jedem gespeicherten Anruf einen eigenen Namen geben?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Saving call %1 of %2</source>
        <translation>Anruf %1 von %2 wird gespeichert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy file failed: Error = </source>
        <translation>Kopieren der Datei fehlgeschlagen: Fehler = </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>wav files (*.wav)</source>
        <translation>WAV-Dateien (*.wav)</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Save calls to:</source>
        <translation>Anrufe speichern in:</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="+51"/>
        <source>no running Voxmere answered (one was started in the tray)</source>
        <translation>kein laufendes Voxmere hat geantwortet (eines wurde im Systemabschnitt gestartet)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no running Voxmere answered</source>
        <translation>kein laufendes Voxmere hat geantwortet</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>%1 records the calls of a telephone line wired to the sound card.</source>
        <translation>%1 nimmt die Anrufe einer Telefonleitung auf, die an die Soundkarte angeschlossen ist.</translation>
    </message>
    <message>
        <location line="-14"/>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Displays the version.</source>
        <translation>Zeigt die Version an.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts recording a call in the running Voxmere.</source>
        <translation>Startet im laufenden Voxmere die Aufnahme eines Anrufs.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stops the recording and files the call.</source>
        <translation>Beendet die Aufnahme und legt den Anruf ab.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts recording, or stops the recording.</source>
        <translation>Startet die Aufnahme oder beendet sie.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Prints what Voxmere does: idle, listening, recording &lt;seconds&gt; or input lost.</source>
        <translation>Gibt aus, was Voxmere gerade tut: idle, listening, recording &lt;Sekunden&gt; oder input lost.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sets the note of the call being recorded, or of the last one filed.</source>
        <translation>Setzt die Notiz des gerade aufgenommenen Anrufs oder des zuletzt abgelegten.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starts in the tray, the window hidden.</source>
        <translation>Startet im Systemabschnitt, mit verborgenem Fenster.</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Try &apos;voxmere --help&apos; for the options.</source>
        <translation>Die Optionen zeigt &apos;voxmere --help&apos; an.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>one command at a time, not --%1.</source>
        <translation>nur ein Befehl auf einmal, nicht --%1.</translation>
    </message>
</context>
<context>
    <name>DesktopShell</name>
    <message>
        <location filename="../src/desktop/DesktopShell.cpp" line="+29"/>
        <source>GetPathFromIDList failed - please enter folder path manually</source>
        <translation>GetPathFromIDList fehlgeschlagen - bitte geben Sie den Ordnerpfad von Hand ein</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>BrowseForFolder Error: %1, %2</source>
        <translation>BrowseForFolder-Fehler: %1, %2</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The help pages are not installed: %1 is missing.</source>
        <translation>Die Hilfeseiten sind nicht installiert: %1 fehlt.</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <location filename="../src/base/FileAccess.cpp" line="+85"/>
        <source>%1 cannot be used: %2</source>
        <translation>%1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 is a link or no folder</source>
        <translation>%1 ist ein Link oder kein Ordner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 belongs to another user</source>
        <translation>%1 gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>others may write in %1</source>
        <translation>andere dürfen in %1 schreiben</translation>
    </message>
</context>
<context>
    <name>FileJob</name>
    <message>
        <location filename="../src/callstore/FileJob.cpp" line="+148"/>
        <source>The calls folder has not answered for %1 seconds, so this was stopped. Its share, server or network may be down; what the list shows is kept.</source>
        <translation>Der Anrufordner hat %1 Sekunden lang nicht geantwortet, daher wurde der Vorgang abgebrochen. Seine Freigabe, sein Server oder das Netzwerk ist möglicherweise ausgefallen; was die Liste zeigt, bleibt erhalten.</translation>
    </message>
</context>
<context>
    <name>FolderBrowser</name>
    <message>
        <location filename="../src/callstore/ui/FolderBrowser.cpp" line="+37"/>
        <source>Change the drive where Voxmere will look for calls</source>
        <translation>Laufwerk wechseln, auf dem Voxmere nach Anrufen sucht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change the folder where Voxmere will look for calls</source>
        <translation>Ordner wechseln, in dem Voxmere nach Anrufen sucht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Create New Folder</source>
        <translation>Neuen Ordner erstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete Folder (empty folders only)</source>
        <translation>Ordner löschen (nur leere Ordner)</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete Folder</source>
        <translation>Ordner löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make default folder</source>
        <translation>Als Standardordner festlegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show all calls in folder</source>
        <translation>Alle Anrufe im Ordner anzeigen</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Calls</source>
        <translation>Anrufe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Waiting to be filed</source>
        <translation>Warten auf Ablage</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>Device Unavailable</source>
        <translation>Gerät nicht verfügbar</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Default folder has been deleted!</source>
        <translation>Der Standardordner wurde gelöscht!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unable to set default folder!</source>
        <translation>Der Standardordner kann nicht festgelegt werden!</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Folder or subfolder not empty - for safety please delete all calls in folder first</source>
        <translation>Ordner oder Unterordner nicht leer - löschen Sie zur Sicherheit bitte zuerst alle Anrufe im Ordner</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Make %1 your recorded calls folder?</source>
        <translation>%1 als Ihren Anrufordner festlegen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set Default</source>
        <translation>Als Standard festlegen</translation>
    </message>
</context>
<context>
    <name>JobProgress</name>
    <message>
        <location filename="../src/callstore/ui/JobProgress.cpp" line="+18"/>
        <location line="+4"/>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Working...</source>
        <translation>Wird bearbeitet...</translation>
    </message>
</context>
<context>
    <name>LevelBar</name>
    <message>
        <location filename="../src/controls/LevelBar.cpp" line="+10"/>
        <source>Input level</source>
        <translation>Eingangspegel</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+16"/>
        <source>silence</source>
        <translation>Stille</translation>
    </message>
    <message>
        <location line="-16"/>
        <location line="+16"/>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>Input level: peak %1, average %2</source>
        <translation>Eingangspegel: Spitze %1, Mittel %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Calls start above %1 dB</source>
        <translation>Anrufe beginnen oberhalb von %1 dB</translation>
    </message>
</context>
<context>
    <name>LightButton</name>
    <message>
        <location filename="../src/controls/LightButton.cpp" line="+27"/>
        <source>Invalid Borderstyle value (0 or 1 only)</source>
        <translation>Ungültiger Wert für Borderstyle (nur 0 oder 1)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Invalid ButtonMode Value(0 or 1 only)</source>
        <translation>Ungültiger Wert für ButtonMode (nur 0 oder 1)</translation>
    </message>
</context>
<context>
    <name>PlayControls</name>
    <message>
        <location filename="../src/app/PlayControls.cpp" line="+36"/>
        <source>Play speed, the voice&apos;s pitch kept ([ slower, ] faster)</source>
        <translation>Wiedergabegeschwindigkeit, die Tonhöhe der Stimme bleibt erhalten ([ langsamer, ] schneller)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play speed</source>
        <translation>Wiedergabegeschwindigkeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skip silence</source>
        <translation>Stille überspringen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Play every pause longer than a second as a short gap</source>
        <translation>Jede Pause über einer Sekunde als kurze Lücke abspielen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Same loudness</source>
        <translation>Gleiche Lautstärke</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Play every call at one loudness (%1 LUFS), quiet lines and loud alike</source>
        <translation>Jeden Anruf mit derselben Lautstärke (%1 LUFS) abspielen, leise wie laute Leitungen</translation>
    </message>
</context>
<context>
    <name>Playback</name>
    <message>
        <location filename="../src/review/ui/Playback.cpp" line="+70"/>
        <location line="+41"/>
        <source>Call file doesnt exist!</source>
        <translation>Die Anrufdatei existiert nicht!</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>The call cannot be reached (%1); its share or server may be down.</source>
        <translation>Der Anruf ist nicht erreichbar (%1); seine Freigabe oder sein Server ist möglicherweise ausgefallen.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Failed to open call for playback! Error was: </source>
        <translation>Der Anruf konnte nicht zur Wiedergabe geöffnet werden! Fehler: </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error - player not ready to play!</source>
        <translation>Fehler - die Wiedergabe ist nicht bereit!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error - no samples!</source>
        <translation>Fehler - keine Abtastwerte!</translation>
    </message>
</context>
<context>
    <name>ProgramSettings</name>
    <message>
        <location filename="../src/base/ProgramSettings.cpp" line="+41"/>
        <source>It would appear that you have never used Voxmere before - please check your configuration</source>
        <translation>Sie haben Voxmere anscheinend noch nie verwendet - bitte prüfen Sie Ihre Konfiguration</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>It would appear that Voxmere has not been used on this PC before - please check your configuration</source>
        <translation>Voxmere wurde auf diesem PC anscheinend noch nie verwendet - bitte prüfen Sie Ihre Konfiguration</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>An error occured in frmMain:GetRegistrySettings. The error was: %1: %2<byte value="xd"/>
Warning - your user settings may not be correct - please re-install.</source>
        <translation>In frmMain:GetRegistrySettings ist ein Fehler aufgetreten. Der Fehler war: %1: %2<byte value="xd"/>
Warnung - Ihre Benutzereinstellungen sind möglicherweise nicht korrekt - bitte installieren Sie das Programm neu.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 Error</source>
        <translation>%1-Fehler</translation>
    </message>
</context>
<context>
    <name>RecordingFiles</name>
    <message>
        <location filename="../src/recording/RecordingFiles.cpp" line="+69"/>
        <source>cannot open it</source>
        <translation>kann nicht geöffnet werden</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+3"/>
        <source>cannot read it</source>
        <translation>kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>cannot write its header</source>
        <translation>ihr Dateikopf kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cannot cut off its last block</source>
        <translation>ihr letzter Block kann nicht abgeschnitten werden</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>its header cannot be completed (%1); it stays unfiled</source>
        <translation>ihr Dateikopf kann nicht vervollständigt werden (%1); sie wird nicht abgelegt</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>not a readable sound file; filed with length 0</source>
        <translation>keine lesbare Tondatei; mit Länge 0 abgelegt</translation>
    </message>
</context>
<context>
    <name>RecordingMover</name>
    <message>
        <location filename="../src/mover/main.cpp" line="+27"/>
        <source>Usage: voxmere-mover
Files the finished recordings of Voxmere&apos;s temporary folder into the calls folder,
as the user&apos;s settings name them. Voxmere starts it after each call.

Options:
  -h, --help     Displays this help.
  -v, --version  Displays the version.
</source>
        <translation>Aufruf: voxmere-mover
Legt die fertigen Aufnahmen aus dem temporären Ordner von Voxmere im Anrufordner ab,
benannt nach den Einstellungen des Benutzers. Voxmere startet das Programm nach jedem Anruf.

Optionen:
  -h, --help     Zeigt diese Hilfe an.
  -v, --version  Zeigt die Version an.
</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>unknown argument %1</source>
        <translation>unbekanntes Argument %1</translation>
    </message>
    <message>
        <location filename="../src/mover/RecordingMover.cpp" line="+267"/>
        <source>no temporary recording folder (&quot;wavs&quot;) is set</source>
        <translation>kein temporärer Aufnahmeordner („wavs“) eingestellt</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the calls folder (&quot;CallPath&quot;) cannot be read from the settings</source>
        <translation>der Anrufordner („CallPath“) kann nicht aus den Einstellungen gelesen werden</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>the temporary recording folder %1 does not exist</source>
        <translation>der temporäre Aufnahmeordner %1 existiert nicht</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>cannot lock %1 (%2); recordings are left there for the next launch</source>
        <translation>%1 kann nicht gesperrt werden (%2); die Aufnahmen bleiben für den nächsten Start dort</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>the old problems in %1 cannot be cleared: %2</source>
        <translation>die alten Probleme in %1 können nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>the problems cannot be kept in %1 for %2 to show: %3</source>
        <translation>die Probleme können nicht in %1 hinterlegt werden, damit %2 sie anzeigt: %3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the calls folder %1 cannot be reached (%2); recordings are left in %3 for the next launch</source>
        <translation>der Anrufordner %1 ist nicht erreichbar (%2); die Aufnahmen bleiben für den nächsten Start in %3</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 is not mounted</source>
        <translation>%1 ist nicht eingebunden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the calls folder and the temporary recording folder are the same folder %1; nothing moved</source>
        <translation>der Anrufordner und der temporäre Aufnahmeordner sind derselbe Ordner %1; nichts verschoben</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>it holds no %1 any more: is the share it is on mounted?</source>
        <translation>er enthält kein %1 mehr: Ist die Freigabe, auf der er liegt, eingebunden?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it cannot be created</source>
        <translation>er kann nicht angelegt werden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>it is not a folder</source>
        <translation>er ist kein Ordner</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>another call has its name in %1, and where it goes instead (%2) cannot be kept in %3: %4</source>
        <translation>ein anderer Anruf trägt in %1 bereits seinen Namen, und wohin er stattdessen kommt (%2), kann nicht in %3 vermerkt werden: %4</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>%1 calls of that name are already in %2</source>
        <translation>in %2 gibt es bereits %1 Anrufe dieses Namens</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>a different note is already beside its call %1 in %2</source>
        <translation>neben dem zugehörigen Anruf %1 in %2 liegt bereits eine andere Notiz</translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+47"/>
        <location line="+88"/>
        <source>cannot flush %1: %2</source>
        <translation>%1 kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="-124"/>
        <source>cannot compare it with %1 in %2: %3</source>
        <translation>kann nicht mit %1 in %2 verglichen werden: %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>cannot look into %1: %2</source>
        <translation>%1 kann nicht durchsucht werden: %2</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>cannot move it into %1: %2</source>
        <translation>kann nicht nach %1 verschoben werden: %2</translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+17"/>
        <source>cannot read it: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <location line="-15"/>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>cannot write into %1: %2</source>
        <translation>in %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>cannot copy it into %1: %2</source>
        <translation>kann nicht nach %1 kopiert werden: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>cannot flush the copy in %1: %2</source>
        <translation>die Kopie in %1 kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>cannot close the copy in %1: %2</source>
        <translation>die Kopie in %1 kann nicht geschlossen werden: %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the copy in %1 is gone: %2</source>
        <translation>die Kopie in %1 ist verschwunden: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the copy in %1 has %2 bytes instead of %3</source>
        <translation>die Kopie in %1 hat %2 Bytes statt %3</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>cannot put the copy in place in %1: %2</source>
        <translation>die Kopie in %1 kann nicht an ihren Platz gebracht werden: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>cannot remove its hidden copy in %1: %2</source>
        <translation>die verborgene Kopie in %1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1: filed in %2, but cannot be removed from %3: %4</source>
        <translation>%1: in %2 abgelegt, kann aber nicht aus %3 entfernt werden: %4</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1: %2; left in %3</source>
        <translation>%1: %2; verbleibt in %3</translation>
    </message>
</context>
<context>
    <name>RecordingSession</name>
    <message>
        <location filename="../src/recording/RecordingSession.cpp" line="+68"/>
        <source>%1<byte value="xd"/>
<byte value="xd"/>
Calls are recorded again as soon as the input returns.</source>
        <translation>%1<byte value="xd"/>
<byte value="xd"/>
Anrufe werden wieder aufgenommen, sobald der Eingang wieder verfügbar ist.</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+181"/>
        <location line="+18"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <location line="-187"/>
        <location line="+173"/>
        <source>%1 failed to launch recording mover: %2</source>
        <translation>%1 konnte das Ablageprogramm für Aufnahmen nicht starten: %2</translation>
    </message>
    <message>
        <location line="-172"/>
        <location line="+173"/>
        <source>%1 Error</source>
        <translation>%1-Fehler</translation>
    </message>
    <message>
        <location line="-65"/>
        <source>Waiting for the recording input</source>
        <translation>Warten auf den Aufnahmeeingang</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+78"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="-66"/>
        <source>Failed to initialise Voice Detection - Check that other devices are not recording audio. <byte value="xd"/>
Switching to manual control.<byte value="xd"/>
Err: %1</source>
        <translation>Die Sprachaktivierung konnte nicht initialisiert werden - stellen Sie sicher, dass keine anderen Geräte Audio aufnehmen. <byte value="xd"/>
Es wird auf manuelle Steuerung umgeschaltet.<byte value="xd"/>
Fehler: %1</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Recording</source>
        <translation>Aufnahme läuft</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Recording Complete</source>
        <translation>Aufnahme abgeschlossen</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1<byte value="xd"/>
<byte value="xd"/>
The call was cut short there; what was recorded until then is kept.</source>
        <translation>%1<byte value="xd"/>
<byte value="xd"/>
Der Anruf wurde an dieser Stelle abgebrochen; was bis dahin aufgenommen wurde, bleibt erhalten.</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>A note of another call of that name is in %1</source>
        <translation>In %1 liegt bereits eine Notiz eines anderen Anrufs dieses Namens</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <location filename="../src/callstore/CallFolders.cpp" line="+30"/>
        <location filename="../src/review/FolderListing.cpp" line="+20"/>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <location filename="../src/callstore/ui/FolderBrowser.cpp" line="-104"/>
        <location filename="../src/review/FolderListing.cpp" line="+2"/>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <location filename="../src/review/FolderListing.cpp" line="+1"/>
        <source>The folder %1 does not answer (%2); its share or server may be down</source>
        <translation>Der Ordner %1 antwortet nicht (%2); seine Freigabe oder sein Server ist möglicherweise ausgefallen</translation>
    </message>
    <message>
        <location filename="../src/base/Guarded.cpp" line="+26"/>
        <source>Internal error</source>
        <translation>Interner Fehler</translation>
    </message>
    <message>
        <location filename="../src/base/RuntimeError.cpp" line="+21"/>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <location filename="../src/callstore/colCalls.cpp" line="+44"/>
        <source>This key is already associated with an element of this collection</source>
        <translation>Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+72"/>
        <location filename="../src/callstore/ui/CallList.cpp" line="-116"/>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <location filename="../src/recording/CallRecorder.cpp" line="-36"/>
        <location filename="../src/recording/RecordingFiles.cpp" line="-94"/>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <location filename="../src/recording/RecordingFiles.cpp" line="-8"/>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>File already exists</source>
        <translation>Datei existiert bereits</translation>
    </message>
    <message>
        <location filename="../src/review/modSearch.cpp" line="+85"/>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <location filename="../src/app/SingleInstance.cpp" line="+90"/>
        <source>no permission to write %1</source>
        <translation>keine Berechtigung, %1 zu schreiben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 cannot be made</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>WaitingCalls</name>
    <message>
        <location filename="../src/recording/WaitingCalls.cpp" line="+44"/>
        <source>the recording mover cannot be started: %1</source>
        <translation>das Ablageprogramm für Aufnahmen kann nicht gestartet werden: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>1 call waiting to be filed</source>
        <translation>1 Anruf wartet auf Ablage</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n calls waiting to be filed</source>
        <translation>
            <numerusform>%n Anruf wartet auf Ablage</numerusform>
            <numerusform>%n Anrufe warten auf Ablage</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 note waiting to be filed</source>
        <translation>1 Notiz wartet auf Ablage</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n notes waiting to be filed</source>
        <translation>
            <numerusform>%n Notiz wartet auf Ablage</numerusform>
            <numerusform>%n Notizen warten auf Ablage</numerusform>
        </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 (listed under &quot;Waiting to be filed&quot; in the drive list)</source>
        <translation>%1 (in der Laufwerksliste unter „Warten auf Ablage“ aufgeführt)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1:
%2</source>
        <translation>%1:
%2</translation>
    </message>
</context>
<context>
    <name>WidgetParts</name>
    <message>
        <location filename="../src/desktop/WidgetParts.cpp" line="+77"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>XdgDesktop</name>
    <message>
        <location filename="../src/desktop/XdgDesktop.cpp" line="+22"/>
        <source>Error in command line syntax</source>
        <translation>Fehler in der Syntax der Befehlszeile</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One of the files passed on the command line did not exist</source>
        <translation>Eine der auf der Befehlszeile übergebenen Dateien existiert nicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A required tool could not be found</source>
        <translation>Ein benötigtes Programm wurde nicht gefunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The action failed</source>
        <translation>Die Aktion ist fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No permission to read one of the files passed on the command line</source>
        <translation>Keine Berechtigung, eine der auf der Befehlszeile übergebenen Dateien zu lesen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The mail program failed</source>
        <translation>Das E-Mail-Programm ist fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 (xdg-email, of the package xdg-utils)</source>
        <translation>%1 (xdg-email aus dem Paket xdg-utils)</translation>
    </message>
</context>
<context>
    <name>clsBlowFish</name>
    <message>
        <location filename="../src/options/clsBlowFish.cpp" line="+233"/>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>colCalls</name>
    <message>
        <location filename="../src/callstore/colCalls.cpp" line="-88"/>
        <source>Error: 13: Type mismatch in colCalls:Add Method</source>
        <translation>Fehler: 13: Typen unverträglich in der Methode colCalls:Add</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Error: %1: %2 in colCalls:Add Method</source>
        <translation>Fehler: %1: %2 in der Methode colCalls:Add</translation>
    </message>
</context>
<context>
    <name>dlgAbout</name>
    <message>
        <location filename="../src/options/ui/dlgAbout.cpp" line="+19"/>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 Call Recorder</source>
        <translation>%1-Anrufrekorder</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+1"/>
        <source>Visit the Voxmere website</source>
        <translation>Website von Voxmere besuchen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>GNU General Public License, version 3 or later (GPL-3.0-or-later). Voxmere comes with no warranty.</source>
        <translation>GNU General Public License, Version 3 oder neuer (GPL-3.0-or-later). Voxmere wird ohne jegliche Gewährleistung bereitgestellt.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Licence:</source>
        <translation>Lizenz:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>dlgCalMsg</name>
    <message>
        <location filename="../src/recording/ui/dlgCalMsg.cpp" line="+34"/>
        <source>Click &apos;Next&apos; to display your sound-card&apos;s recording level controls.

They open in the Volume Control window, at its &apos;Input Devices&apos; tab.</source>
        <translation>Klicken Sie auf „Weiter“, um die Regler für den Aufnahmepegel Ihrer Soundkarte anzuzeigen.

Sie öffnen sich im Fenster „Lautstärkeregler“ auf dessen Reiter „Eingabegeräte“.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The Volume Control window at its Input Devices tab</source>
        <translation>Das Fenster „Lautstärkeregler“ auf dem Reiter „Eingabegeräte“</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>On the screen that just appeared (the Volume Control, at its &apos;Input Devices&apos; tab), you should see a volume slider for each input like the image on the right - make sure that you can see one for the &apos;Microphone&apos; (the sound-card input the phone line is plugged into; its &apos;Port&apos; says which).  If it is visible then click the tick button beside its name (&apos;Set as fallback&apos;) so that Voxmere records from it.

Also check whether there is an &apos;Advanced&apos; button: here the microphone boost is in the sound card&apos;s own mixer - in a terminal type alsamixer and press F4; answer &apos;Yes&apos; when you then see its capture controls.</source>
        <translation>Auf dem soeben erschienenen Bildschirm (dem Lautstärkeregler auf dem Reiter „Eingabegeräte“) sollten Sie für jeden Eingang einen Lautstärkeregler wie im Bild rechts sehen - vergewissern Sie sich, dass einer für das „Mikrofon“ dabei ist (den Eingang der Soundkarte, an dem die Telefonleitung angeschlossen ist; welcher es ist, zeigt sein „Port“). Wenn er zu sehen ist, klicken Sie auf die Schaltfläche mit dem Häkchen neben seinem Namen („Als Ausweichoption setzen“), damit Voxmere von ihm aufnimmt.

Prüfen Sie außerdem, ob es eine Schaltfläche „Erweitert“ gibt: Hier befindet sich die Mikrofonverstärkung im eigenen Mixer der Soundkarte - geben Sie in einem Terminal alsamixer ein und drücken Sie F4; antworten Sie mit „Ja“, wenn Sie dann dessen Aufnahmeregler sehen.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>An input device with its volume slider and its Set as fallback tick</source>
        <translation>Ein Eingabegerät mit seinem Lautstärkeregler und seinem Häkchen „Als Ausweichoption setzen“</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show Microphone Volume Control</source>
        <translation>Lautstärkeregler des Mikrofons anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>On the &apos;Input Devices&apos; tab, choose &apos;All Input Devices&apos; in the &apos;Show:&apos; list at the bottom - you should then see a screen like this, with a volume slider for each input.

If the microphone is still missing, open the &apos;Configuration&apos; tab and choose a profile with an input for your sound card (such as &apos;Analog Stereo Duplex&apos;).</source>
        <translation>Wählen Sie auf dem Reiter „Eingabegeräte“ unten in der Liste „Anzeigen:“ den Eintrag „Alle Eingabegeräte“ - Sie sollten dann einen Bildschirm wie diesen sehen, mit einem Lautstärkeregler für jeden Eingang.

Fehlt das Mikrofon weiterhin, öffnen Sie den Reiter „Konfiguration“ und wählen Sie für Ihre Soundkarte ein Profil mit einem Eingang (etwa „Analog Stereo Duplex“).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The Show list set to All Input Devices</source>
        <translation>Die Liste „Anzeigen“ auf „Alle Eingabegeräte“ gestellt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show Advanced Controls</source>
        <translation>Erweiterte Regler anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The sound card&apos;s advanced controls are in alsamixer: open a terminal and type alsamixer (it comes with the package alsa-utils), press F6 to choose your sound card and then F4 to show its capture controls (some cards have no boost control - dont worry if this is the case).</source>
        <translation>Die erweiterten Regler der Soundkarte befinden sich in alsamixer: Öffnen Sie ein Terminal und geben Sie alsamixer ein (es gehört zum Paket alsa-utils), drücken Sie F6, um Ihre Soundkarte zu wählen, und dann F4, um ihre Aufnahmeregler anzuzeigen (manche Karten haben keinen Verstärkungsregler - keine Sorge, wenn das der Fall ist).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>alsamixer in a terminal, with the keys F6 and F4</source>
        <translation>alsamixer in einem Terminal, mit den Tasten F6 und F4</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20dB Boost</source>
        <translation>20-dB-Verstärkung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Among the capture controls of alsamixer (F4), find the control marked &apos;Mic Boost&apos; (or &apos;Internal Mic Boost&apos;, or similar) like the one shown on the right.  Select it with the Left and Right keys and raise it one step with the Up key (10 or 20dB on most cards).  Press Esc to close alsamixer again.</source>
        <translation>Suchen Sie unter den Aufnahmereglern von alsamixer (F4) den Regler mit der Bezeichnung „Mic Boost“ (oder „Internal Mic Boost“ oder ähnlich) wie den rechts abgebildeten. Wählen Sie ihn mit den Pfeiltasten nach links und rechts aus und heben Sie ihn mit der Pfeiltaste nach oben um eine Stufe an (bei den meisten Karten 10 oder 20 dB). Drücken Sie Esc, um alsamixer wieder zu schließen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>alsamixer&apos;s capture controls with Mic Boost raised</source>
        <translation>Die Aufnahmeregler von alsamixer mit angehobenem Mic Boost</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Calibrate Voxmere</source>
        <translation>Voxmere kalibrieren</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Skip help screens</source>
        <translation>Hilfeseiten überspringen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Can you see the Microphone Volume control?</source>
        <translation>Sehen Sie den Lautstärkeregler des Mikrofons?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can you see an Advanced button?</source>
        <translation>Sehen Sie eine Schaltfläche „Erweitert“?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Please select &apos;Yes&apos; or &apos;No&apos; options</source>
        <translation>Bitte wählen Sie jeweils „Ja“ oder „Nein“</translation>
    </message>
</context>
<context>
    <name>dlgCalibrate</name>
    <message>
        <location filename="../src/recording/ui/dlgCalibrate.cpp" line="+26"/>
        <source>Level OK - replace handset</source>
        <translation>Pegel OK - Hörer auflegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Level OK - go to step 2</source>
        <translation>Pegel OK - weiter mit Schritt 2</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Calibrate Voxmere</source>
        <translation>Voxmere kalibrieren</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Adjust  Recording Level</source>
        <translation>Aufnahmepegel anpassen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set Recording Sensitivity</source>
        <translation>Aufnahmeempfindlichkeit festlegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Levels OK</source>
        <translation>Pegel OK</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Un-Calibrated or On-Hook</source>
        <translation>Nicht kalibriert oder aufgelegt</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Step 1</source>
        <translation>Schritt 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Now, lift your telephone handset and click &apos;Adjust Recording Level&apos;. While you have a steady dial tone move the Microphone Volume slider from a high position downwards until the RVI (Recording Volume Indicator) turns green.  If the dial tone becomes intermittent, replace &amp;&amp; lift the handset again to get a dial tone back</source>
        <translation>Heben Sie nun den Telefonhörer ab und klicken Sie auf „Aufnahmepegel anpassen“. Schieben Sie, solange Sie ein gleichmäßiges Freizeichen hören, den Lautstärkeregler des Mikrofons von einer hohen Stellung aus nach unten, bis die Aufnahmepegelanzeige (RVI) grün wird. Wird das Freizeichen unterbrochen, legen Sie den Hörer auf &amp;&amp; heben Sie ihn wieder ab, um erneut ein Freizeichen zu bekommen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Step 2</source>
        <translation>Schritt 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>When you are happy that the setting is correct replace the handset and click &apos;Set Recording Sensitivity&apos;</source>
        <translation>Wenn Sie sicher sind, dass die Einstellung stimmt, legen Sie den Hörer auf und klicken Sie auf „Aufnahmeempfindlichkeit festlegen“</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Increase Level (or phone on hook)</source>
        <translation>Pegel erhöhen (oder Telefon aufgelegt)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Decrease Level</source>
        <translation>Pegel verringern</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Level OK</source>
        <translation>Pegel OK</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Audio level seems high - check the phone is on the hook.  Sensitivity level has been set</source>
        <translation>Der Pegel scheint hoch zu sein - prüfen Sie, ob das Telefon aufgelegt ist. Die Empfindlichkeit wurde eingestellt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 - Phone on hook?</source>
        <translation>%1 - Telefon aufgelegt?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calibration complete</source>
        <translation>Kalibrierung abgeschlossen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 - Calibration</source>
        <translation>%1 - Kalibrierung</translation>
    </message>
</context>
<context>
    <name>dlgChangePW</name>
    <message>
        <location filename="../src/options/ui/dlgChangePW.cpp" line="+22"/>
        <source>Set / Change Password</source>
        <translation>Passwort festlegen / ändern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New Password:</source>
        <translation>Neues Passwort:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Confirm New Password:</source>
        <translation>Neues Passwort bestätigen:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Current Password:</source>
        <translation>Aktuelles Passwort:</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>There was an error processing the password change.  Windows reported: %1, %2</source>
        <translation>Beim Ändern des Passworts ist ein Fehler aufgetreten. Das System meldete: %1, %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Current Password does not match</source>
        <translation>Das aktuelle Passwort stimmt nicht</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The passwords you typed do not match.  Type the same password in both boxes.</source>
        <translation>Die eingegebenen Passwörter stimmen nicht überein. Geben Sie in beide Felder dasselbe Passwort ein.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Are you sure you want a blank password?</source>
        <translation>Möchten Sie wirklich ein leeres Passwort verwenden?</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Password changed</source>
        <translation>Passwort geändert</translation>
    </message>
</context>
<context>
    <name>dlgDatePicker</name>
    <message>
        <location filename="../src/review/ui/dlgDatePicker.cpp" line="+15"/>
        <source>Select Date</source>
        <translation>Datum auswählen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Days of the month</source>
        <translation>Tage des Monats</translation>
    </message>
</context>
<context>
    <name>dlgEditNote</name>
    <message>
        <location filename="../src/callstore/ui/dlgEditNote.cpp" line="+17"/>
        <source>Edit Call Note</source>
        <translation>Anrufnotiz bearbeiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call note (Shift+Enter for a new line)</source>
        <translation>Anrufnotiz (Umschalt+Eingabe für eine neue Zeile)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Call note</source>
        <translation>Anrufnotiz</translation>
    </message>
</context>
<context>
    <name>dlgFindCall</name>
    <message>
        <location filename="../src/review/ui/dlgFindCall.ui" line="+6"/>
        <location filename="../src/review/ui/dlgFindCall.cpp" line="+35"/>
        <source>Find Calls</source>
        <translation>Anrufe suchen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Search Criteria :</source>
        <translation>Suchkriterien :</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Searching:</source>
        <translation>Suche in:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Folder that will be searched.</source>
        <translation>Ordner, der durchsucht wird.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>User :</source>
        <translation>Benutzer :</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Date from :</source>
        <translation>Datum von :</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Pick the first date</source>
        <translation>Erstes Datum auswählen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Date to :</source>
        <translation>Datum bis :</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Pick the last date</source>
        <translation>Letztes Datum auswählen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>To&amp;day</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Call Note :</source>
        <translation>Anrufnotiz :</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Search string (use * as a wildcard)</source>
        <translation>Suchtext (* als Platzhalter verwenden)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Search sub-folders?</source>
        <translation>Unterordner durchsuchen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Look for call in all folders below the search path</source>
        <translation>In allen Ordnern unterhalb des Suchpfads nach Anrufen suchen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Clear Search</source>
        <translation>Suche &amp;zurücksetzen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../src/review/ui/dlgFindCall.cpp" line="+27"/>
        <source>Choose the first date</source>
        <translation>Erstes Datum wählen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Choose the last date</source>
        <translation>Letztes Datum wählen</translation>
    </message>
    <message>
        <location line="+109"/>
        <source>No calls match your search criteria</source>
        <translation>Keine Anrufe entsprechen Ihren Suchkriterien</translation>
    </message>
</context>
<context>
    <name>dlgNewFolder</name>
    <message>
        <location filename="../src/callstore/ui/dlgNewFolder.cpp" line="+25"/>
        <location line="+26"/>
        <source>New Folder</source>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>Folder name</source>
        <translation>Ordnername</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>In %1</source>
        <translation>In %1</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>A folder cannot contain any of the following characters:<byte value="xd"/>
%1\ / : * ? &quot; &lt; &gt; |</source>
        <translation>Ein Ordnername darf keines der folgenden Zeichen enthalten:<byte value="xd"/>
%1\ / : * ? &quot; &lt; &gt; |</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Folder already exists!</source>
        <translation>Der Ordner existiert bereits!</translation>
    </message>
</context>
<context>
    <name>dlgPW</name>
    <message>
        <location filename="../src/options/ui/dlgPW.cpp" line="+18"/>
        <source>Enter Password</source>
        <translation>Passwort eingeben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Invalid Password, try again!</source>
        <translation>Ungültiges Passwort, bitte versuchen Sie es erneut!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Login</source>
        <translation>Anmeldung</translation>
    </message>
</context>
<context>
    <name>frmAddNote</name>
    <message>
        <location filename="../src/recording/ui/frmAddNote.cpp" line="+21"/>
        <source>%1 - Add  Recording Note</source>
        <translation>%1 - Aufnahmenotiz hinzufügen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Enter call note (optional)</source>
        <translation>Anrufnotiz eingeben (optional)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Enter a note to be associated with the call</source>
        <translation>Eine Notiz eingeben, die dem Anruf zugeordnet wird</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <location filename="../src/app/frmMain.cpp" line="+214"/>
        <source>The call being played was deleted on another PC; playback has stopped.</source>
        <translation>Der wiedergegebene Anruf wurde auf einem anderen PC gelöscht; die Wiedergabe wurde beendet.</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Calls not filed yet</source>
        <translation>Noch nicht abgelegte Anrufe</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&amp;Record</source>
        <translation>&amp;Aufnehmen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Start recording (F9)</source>
        <translation>Aufnahme starten (F9)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S&amp;top</source>
        <translation>S&amp;topp</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Stop recording or playback (F10)</source>
        <translation>Aufnahme oder Wiedergabe beenden (F10)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Play</source>
        <translation>Abs&amp;pielen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Play the selected call (F11)</source>
        <translation>Ausgewählten Anruf abspielen (F11)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>P&amp;ause</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Pause or resume</source>
        <translation>Anhalten oder fortsetzen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-30s</source>
        <translation>-30s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Back 30 seconds</source>
        <translation>30 Sekunden zurück</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-10s</source>
        <translation>-10s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Back 10 seconds</source>
        <translation>10 Sekunden zurück</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>+10s</source>
        <translation>+10s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Forward 10 seconds</source>
        <translation>10 Sekunden vor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>+30s</source>
        <translation>+30s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Forward 30 seconds</source>
        <translation>30 Sekunden vor</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Find calls</source>
        <translation>Anrufe suchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;E-mail</source>
        <translation>&amp;E-Mail</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Send the selected calls by e-mail</source>
        <translation>Ausgewählte Anrufe per E-Mail senden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sa&amp;ve</source>
        <translation>Spei&amp;chern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Save copies of the selected calls</source>
        <translation>Kopien der ausgewählten Anrufe speichern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Recorder options</source>
        <translation>Optionen des Rekorders</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Show Help pages</source>
        <translation>Hilfeseiten anzeigen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Exit the call recorder</source>
        <translation>Anrufrekorder beenden</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Recording state</source>
        <translation>Aufnahmestatus</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Input level</source>
        <translation>Eingangspegel</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Play position</source>
        <translation>Wiedergabeposition</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Visit the Voxmere website</source>
        <translation>Website von Voxmere besuchen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Go to the recorded calls folder</source>
        <translation>Zum Anrufordner wechseln</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Calls</source>
        <translation>Anrufe</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Note of the selected call</source>
        <translation>Notiz des ausgewählten Anrufs</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Edit &amp;Note</source>
        <translation>&amp;Notiz bearbeiten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Edit the note for selected call</source>
        <translation>Notiz des ausgewählten Anrufs bearbeiten</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Length of the recording</source>
        <translation>Länge der Aufnahme</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Calls listed</source>
        <translation>Aufgelistete Anrufe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;SysTray</source>
        <translation>&amp;Systemabschnitt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>%1 Call Recorder</source>
        <translation>%1-Anrufrekorder</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+61"/>
        <location line="+1"/>
        <location line="+196"/>
        <location line="+101"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="-347"/>
        <source>Failed to reset Voice Detection - please run in manual mode. Err: </source>
        <translation>Die Sprachaktivierung konnte nicht zurückgesetzt werden - bitte nehmen Sie manuell auf. Fehler: </translation>
    </message>
    <message>
        <location line="+33"/>
        <source>A fatal error occured during frmMain:Form_Load. The error was: %1: %2</source>
        <translation>In frmMain:Form_Load ist ein schwerwiegender Fehler aufgetreten. Der Fehler war: %1: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Error</source>
        <translation>%1-Fehler</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> - Automatic Recording</source>
        <translation> - Automatische Aufnahme</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> - Manual Recording</source>
        <translation> - Manuelle Aufnahme</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+1"/>
        <source>Recording</source>
        <translation>Aufnahme läuft</translation>
    </message>
    <message>
        <location line="+101"/>
        <source>Call recorded</source>
        <translation>Anruf aufgenommen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 call filed as %2</source>
        <translation>Anruf (%1) abgelegt als %2</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Room for only %1 minute%2 of recording</source>
        <translation>Nur noch Platz für %1 Minute%2 Aufnahme</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>s</source>
        <comment>plural of minute</comment>
        <translation>n</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>a call is being played: stop it first</source>
        <translation>ein Anruf wird gerade abgespielt: beenden Sie zuerst die Wiedergabe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>calls start by themselves in automatic mode</source>
        <translation>im automatischen Modus beginnen Anrufe von selbst</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>no call is being recorded</source>
        <translation>es wird kein Anruf aufgenommen</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the note goes with the call being recorded</source>
        <translation>die Notiz wird dem gerade aufgenommenen Anruf beigefügt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no call has been filed since Voxmere started</source>
        <translation>seit dem Start von Voxmere wurde kein Anruf abgelegt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the note of the last call filed is written</source>
        <translation>die Notiz des zuletzt abgelegten Anrufs ist geschrieben</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>unknown command %1</source>
        <translation>unbekannter Befehl %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>dddd, MMM d yyyy - HH:mm:ss</source>
        <extracomment>The status bar&apos;s clock, as a QDateTime format.</extracomment>
        <translation>dddd, d. MMMM yyyy - HH:mm:ss</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Recording %1</source>
        <translation>Aufnahme %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+13"/>
        <source>Recording input lost</source>
        <translation>Aufnahmeeingang verloren</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>Listening for calls</source>
        <translation>Wartet auf Anrufe</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Calls are recorded again as soon as the input returns.</source>
        <translation>Anrufe werden wieder aufgenommen, sobald der Eingang wieder verfügbar ist.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Recording input is back</source>
        <translation>Aufnahmeeingang wieder verfügbar</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Are you sure you want to exit %1?</source>
        <translation>Möchten Sie %1 wirklich beenden?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>There is a call which has not been cleared or saved - exiting now will end this recording and file the call.  Press OK to exit, Cancel to return to application</source>
        <translation>Ein Anruf ist noch nicht beendet oder gespeichert - wenn Sie jetzt beenden, wird diese Aufnahme beendet und der Anruf abgelegt. Klicken Sie auf „OK“, um zu beenden, oder auf „Abbrechen“, um zur Anwendung zurückzukehren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 - warning call will be ended</source>
        <translation>%1 - Warnung: Der Anruf wird beendet</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Entering options now will terminate the recording! The call so far is filed. Press OK to go to Options, Cancel to carry on recording</source>
        <translation>Wenn Sie jetzt die Optionen öffnen, wird die Aufnahme beendet! Der bisherige Anruf wird abgelegt. Klicken Sie auf „OK“, um die Optionen zu öffnen, oder auf „Abbrechen“, um weiter aufzunehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The recorder is still busy filing a call. Please try again in a moment.</source>
        <translation>Der Rekorder legt gerade noch einen Anruf ab. Bitte versuchen Sie es gleich noch einmal.</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <location filename="../src/options/ui/frmOptions.cpp" line="+89"/>
        <source>Recorder Options</source>
        <translation>Rekorder-Optionen</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Automatic Recording</source>
        <translation>Automatische Aufnahme</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enable &apos;Voice-Activated&apos; automatic recording</source>
        <translation>„Sprachaktivierte“ automatische Aufnahme einschalten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Recording Note</source>
        <translation>Aufnahmenotiz hinzufügen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Let the user add a call note when the call recording completes</source>
        <translation>Den Benutzer nach dem Ende der Aufnahme eine Anrufnotiz hinzufügen lassen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Maximise at Start of Call</source>
        <translation>Bei Anrufbeginn maximieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Make the application visible when a call recording starts</source>
        <translation>Die Anwendung anzeigen, wenn die Aufnahme eines Anrufs beginnt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Password Protect Options</source>
        <translation>Optionen mit Passwort schützen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter a password to prevent unauthorised access to options</source>
        <translation>Ein Passwort festlegen, um unbefugten Zugriff auf die Optionen zu verhindern</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Set / Change the password</source>
        <translation>Passwort festlegen / ändern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Where recordings are stored by default</source>
        <translation>Wo Aufnahmen standardmäßig gespeichert werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calls Folder</source>
        <translation>Anrufordner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Change the default calls folder</source>
        <translation>Standard-Anrufordner ändern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calls Folder :</source>
        <translation>Anrufordner :</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>User Options :</source>
        <translation>Benutzeroptionen :</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>GSM - Much smaller files, slightly lower quality</source>
        <translation>GSM - Viel kleinere Dateien, etwas geringere Qualität</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PCM - Larger files, slightly higher quality</source>
        <translation>PCM - Größere Dateien, etwas höhere Qualität</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recording Format :</source>
        <translation>Aufnahmeformat :</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Audio level required to start automatic recording</source>
        <translation>Pegel, ab dem die automatische Aufnahme beginnt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Period of &apos;silence&apos; at the end of the call needed to stop recording</source>
        <translation>Dauer der „Stille“ am Ende des Anrufs, nach der die Aufnahme endet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Automatically recorded calls shorter than this will be deleted</source>
        <translation>Automatisch aufgenommene Anrufe, die kürzer sind, werden gelöscht</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Seconds of the line kept before a call by voice starts, so that its first words are recorded</source>
        <translation>Sekunden der Leitung, die vor dem Beginn eines durch Sprache gestarteten Anrufs behalten werden, damit auch die ersten Worte aufgenommen sind</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Calibrate</source>
        <translation>Kalibrieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Calibrate Recorder Settings</source>
        <translation>Rekorder-Einstellungen kalibrieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Calibration Settings :</source>
        <translation>Kalibrierungseinstellungen :</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Start Recording Sensitivity :</source>
        <translation>Empfindlichkeit für Aufnahmebeginn :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop Recording Tolerance :</source>
        <translation>Toleranz für Aufnahmeende :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete Calls Shorter Than :</source>
        <translation>Anrufe löschen, wenn kürzer als :</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep Before Call Start :</source>
        <translation>Vorlauf vor Anrufbeginn :</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Less Sensitive</source>
        <translation>Weniger empfindlich</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>User can play back calls</source>
        <translation>Benutzer darf Anrufe abspielen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tick to allow the user to listen to calls</source>
        <translation>Aktivieren, um dem Benutzer das Anhören von Anrufen zu erlauben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User can delete calls</source>
        <translation>Benutzer darf Anrufe löschen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tick to allow users to delete call recordings</source>
        <translation>Aktivieren, um Benutzern das Löschen von Anrufaufnahmen zu erlauben</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Prevent user from closing Voxmere</source>
        <translation>Schließen von Voxmere durch den Benutzer verhindern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tick to prevent user from closing the application</source>
        <translation>Aktivieren, um zu verhindern, dass der Benutzer die Anwendung schließt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>User Privileges :</source>
        <translation>Benutzerberechtigungen :</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>listen to</source>
        <translation>anhören</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>delete</source>
        <translation>löschen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>own</source>
        <translation>eigene</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select to allow the user to %1 just their own calls</source>
        <translation>Auswählen, damit der Benutzer nur seine eigenen Anrufe %1 darf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>all</source>
        <translation>alle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select to allow the user to %1 all accessible calls</source>
        <translation>Auswählen, damit der Benutzer alle zugänglichen Anrufe %1 darf</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>About Voxmere</source>
        <translation>Über Voxmere</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <location line="+56"/>
        <location line="+1"/>
        <location line="+25"/>
        <location line="+4"/>
        <location line="+2"/>
        <source> sec</source>
        <translation> Sek.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Error occured in Preferences(1):Form_load: %1: %2</source>
        <translation>Fehler in Preferences(1):Form_load: %1: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Error</source>
        <translation>%1-Fehler</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Clear Options Password?</source>
        <translation>Passwort der Optionen entfernen?</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Select Default Calls Folder</source>
        <translation>Standard-Anrufordner auswählen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Save new calls folder?</source>
        <translation>Neuen Anrufordner speichern?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Changes?</source>
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Folder: %1 does not exist</source>
        <translation>Ordner: %1 existiert nicht</translation>
    </message>
</context>
<context>
    <name>kvtSlider</name>
    <message>
        <location filename="../src/controls/kvtSlider.cpp" line="+105"/>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+88"/>
        <source>%1 cannot make sure that it runs only once: %2. It starts anyway.</source>
        <translation>%1 kann nicht sicherstellen, dass es nur einmal läuft: %2. Es startet trotzdem.</translation>
    </message>
</context>
<context>
    <name>modDateFunctions</name>
    <message>
        <location filename="../src/review/modDateFunctions.cpp" line="+14"/>
        <source>Jan</source>
        <translation>Jan</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Feb</source>
        <translation>Feb</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Mar</source>
        <translation>Mär</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Apr</source>
        <translation>Apr</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Jun</source>
        <translation>Jun</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Jul</source>
        <translation>Jul</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Aug</source>
        <translation>Aug</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sep</source>
        <translation>Sep</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Oct</source>
        <translation>Okt</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Nov</source>
        <translation>Nov</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dec</source>
        <translation>Dez</translation>
    </message>
</context>
<context>
    <name>modErrors</name>
    <message>
        <location filename="../src/base/modErrors.cpp" line="+17"/>
        <source>Error occurred: %1, %2, %3</source>
        <translation>Fehler aufgetreten: %1, %2, %3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>An error occured in %1. The error was: %2: %3</source>
        <translation>In %1 ist ein Fehler aufgetreten. Der Fehler war: %2: %3</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No device capable or recording with current settings</source>
        <translation>Kein Gerät kann mit den aktuellen Einstellungen aufnehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cant open specified file: %1</source>
        <translation>Die angegebene Datei kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cant write to designated file - may be out of disk space</source>
        <translation>In die angegebene Datei kann nicht geschrieben werden - möglicherweise ist der Speicherplatz erschöpft</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Specified file is not an MS Wave file</source>
        <translation>Die angegebene Datei ist keine MS-Wave-Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unsupported Audio format</source>
        <translation>Nicht unterstütztes Audioformat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operating system resources running out - please close some other apps</source>
        <translation>Die Ressourcen des Betriebssystems werden knapp - bitte schließen Sie einige andere Anwendungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recorder is in the wrong state for this operation</source>
        <translation>Der Rekorder ist für diesen Vorgang im falschen Zustand</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error during recording</source>
        <translation>Fehler während der Aufnahme</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error starting recording - please check no other devices are recording the same input</source>
        <translation>Fehler beim Starten der Aufnahme - bitte prüfen Sie, dass keine anderen Geräte denselben Eingang aufnehmen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error starting playback</source>
        <translation>Fehler beim Starten der Wiedergabe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error during playback</source>
        <translation>Fehler während der Wiedergabe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Couldnt display mixer</source>
        <translation>Der Mixer konnte nicht angezeigt werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recording time limit reached</source>
        <translation>Maximale Aufnahmedauer erreicht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Recording Control Error: %1</source>
        <translation>Fehler der Aufnahmesteuerung: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>modMixer</name>
    <message>
        <location filename="../src/audio/modMixer.cpp" line="+173"/>
        <source>Error occured in modMixer:FindVolumeControls: %1: %2</source>
        <translation>Fehler in modMixer:FindVolumeControls: %1: %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 Error</source>
        <translation>%1-Fehler</translation>
    </message>
</context>
<context>
    <name>modRegistry</name>
    <message>
        <location filename="../src/base/modRegistry.cpp" line="+22"/>
        <source>Incorrect Format:

%1</source>
        <translation>Ungültiges Format:

%1</translation>
    </message>
</context>
</TS>
