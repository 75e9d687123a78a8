#include "callstore/CallFiles.h"
#include "callstore/clsCall.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestFiles.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace CallFiles;

class tst_CallFiles : public QObject
{
    Q_OBJECT

private slots:
    void newCallFileName()
    {
        clsCall call;
        call.setCallDuration(99);
        QCOMPARE(NewCallFileName(call, QDateTime(QDate(2005, 2, 3), QTime(9, 5, 7, 600)), u"operator"_s),
                 u"20050203-090507-operator.wav"_s);
        QCOMPARE(call.LoginName(), u"operator"_s);
        QCOMPARE(call.CallTime(), QTime(9, 5, 7));
        QCOMPARE(call.CallDuration(), 0);
    }

    void readNotes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("note");
        QTest::newRow("CR LF after a call") << QByteArray("first\r\nsecond") << u"first <CR> second"_s;
        QTest::newRow("edited note") << QByteArray("first<CR>second") << u"first<CR>second"_s;
        QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac") << u"Caf\u00e9 \u20ac"_s;
        QTest::newRow("Windows 1252") << QByteArray("Caf\xe9 \x80\x93") << u"Caf\u00e9 \u20ac\u201c"_s;
    }
    void readNotes()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString audio = dir.path() + u"/20240301-091500-ann-65.wav"_s;
        QVERIFY(TestFiles::write(NotePathOf(audio), bytes));
        ScriptedPrompts prompts;
        QTEST(getCallNote(audio, prompts), "note");
        QVERIFY(prompts.shown().isEmpty());
    }

    void missingRefusedAndOddNotes()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        QCOMPARE(getCallNote(dir.path() + u"/a-b-c-1.wav"_s, prompts), QString());
        // A note path that is a folder is an error, reported.
        const QString odd = dir.path() + u"/a-b-c-3.wav"_s;
        QVERIFY(QDir().mkdir(NotePathOf(odd)));
        QCOMPARE(getCallNote(odd, prompts), QString());
        QCOMPARE(prompts.shown().size(), 1);
        const QString audio = dir.path() + u"/a-b-c-2.wav"_s;
        QVERIFY(TestFiles::write(NotePathOf(audio), "secret"));
        QFile::setPermissions(NotePathOf(audio), QFile::WriteOwner);
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7705));
        AsUnprivilegedUser nobody;
        if (!nobody.active() && geteuid() == 0)
            QSKIP("cannot drop root privileges here");
        QCOMPARE(getCallNote(audio, prompts), u"<denied access to note file>"_s);
    }

    void writeNote()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        clsCall call;
        call.setRecordingLocation(u"20240301-091500-ann-65.wav"_s);
        call.setCallNote(u"Order 12\r\nCall back \u00e9"_s);
        WriteCallNote(call, dir.path() + u'/', prompts);
        QVERIFY(prompts.shown().isEmpty());
        QCOMPARE(TestFiles::read(dir.path() + u"/20240301-091500-ann-65.txt"_s), QByteArray("Order 12\r\nCall back \xc3\xa9"));
        QCOMPARE(TestFiles::mode(dir.path() + u"/20240301-091500-ann-65.txt"_s), 0600);
        // A note that someone made a link out of the folder, or a FIFO: refused, and
        // what it points at is left alone.
        QTemporaryDir outside;
        const QString secret = outside.filePath(u"secret"_s), note = dir.path() + u"/20240301-091500-ann-65.txt"_s;
        QVERIFY(TestFiles::write(secret, "mine") && QFile::remove(note) && QFile::link(secret, note));
        QString error;
        QVERIFY(!WriteNoteText(note, u"overwritten"_s, &error));
        QCOMPARE(TestFiles::read(secret), QByteArray("mine"));
        QVERIFY(QFile::remove(note) && ::mkfifo(QFile::encodeName(note).constData(), 0600) == 0);
        QVERIFY(!WriteNoteText(note, u"overwritten"_s, &error));
        QVERIFY(QFile::remove(note) && TestFiles::write(note, "Order 12"));
        // A calls folder that is gone: reported, nothing else written.
        WriteCallNote(call, dir.path() + u"/gone/"_s, prompts);
        QCOMPARE(prompts.shown().size(), 1);
        QCOMPARE(TestFiles::names(dir.path()), QStringList{u"20240301-091500-ann-65.txt"_s});
    }

    // A longer note on a full disk: reported, and the old note stays whole.
    void writeNoteOnAFullDisk()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        clsCall call;
        call.setRecordingLocation(u"20240301-091500-ann-65.wav"_s);
        call.setCallNote(u"old note"_s);
        WriteCallNote(call, dir.path() + u'/', prompts);
        call.setCallNote(QString(16 * 1024, u'n'));
        {
            FullDisk full(4096);
            WriteCallNote(call, dir.path() + u'/', prompts);
        }
        QCOMPARE(prompts.shown().size(), 1);
        QVERIFY(prompts.shown()[0].text.endsWith(u", frmMain:WriteCallNote Method"_s));
        QCOMPARE(TestFiles::read(dir.path() + u"/20240301-091500-ann-65.txt"_s), QByteArray("old note"));
        QCOMPARE(TestFiles::names(dir.path()), QStringList{u"20240301-091500-ann-65.txt"_s});
    }
};

QTEST_GUILESS_MAIN(tst_CallFiles)
#include "tst_CallFiles.moc"
