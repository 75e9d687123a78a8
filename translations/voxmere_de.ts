<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
        <location line="+37"/>
        <source>Call file doesnt exist!</source>
        <translation>Die Anrufdatei existiert nicht!</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>The call cannot be reached (%1); its share or server may be down.</source>
        <translation>Der Anruf ist nicht erreichbar (%1); seine Freigabe oder sein Server ist möglicherweise ausgefallen.</translation>
    </message>
    <message>
        <location line="+24"/>
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
    <name>RuntimeError</name>
    <message>
        <location filename="../src/review/FolderListing.cpp" line="+20"/>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The folder %1 does not answer (%2); its share or server may be down</source>
        <translation>Der Ordner %1 antwortet nicht (%2); seine Freigabe oder sein Server ist möglicherweise ausgefallen</translation>
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
        <location line="+187"/>
        <location line="+101"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="-338"/>
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
        <location line="+66"/>
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
</TS>
