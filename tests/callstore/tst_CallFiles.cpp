#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "callstore/CallFiles.h"
#include "callstore/clsCall.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace CallFiles;

static void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class tst_CallFiles : public QObject
{
    Q_OBJECT

private slots:
    void newCallFileName()
    {
        clsCall call;
        call.setCallDuration(99);
        const QString name = NewCallFileName(call, QDateTime(QDate(2005, 2, 3), QTime(9, 5, 7, 600)),
                                             u"operator"_s);
        QCOMPARE(name, u"20050203-090507-operator.wav"_s);
        QCOMPARE(call.LoginName(), u"operator"_s);
        QCOMPARE(call.CallDate(), QDate(2005, 2, 3));
        QCOMPARE(call.CallTime(), QTime(9, 5, 7));
        QCOMPARE(call.CallDuration(), 0);
    }

    void splitName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("user");
        QTest::addColumn<qint32>("seconds");
        QTest::newRow("final") << u"20050203-090507-operator-75.wav"_s << true << u"operator"_s << 75;
        QTest::newRow("under a second") << u"20050203-090507-operator-0.wav"_s << true << u"operator"_s << 0;
        QTest::newRow("in progress") << u"20050203-090507-operator.wav"_s << false << QString() << 0;
        QTest::newRow("stray") << u"notes.wav"_s << false << QString() << 0;
    }
    void splitName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        const auto f = SplitCallFileName(name);
        QCOMPARE(f.has_value(), valid);
        if (valid) {
            QCOMPARE(f->date, u"20050203"_s);
            QCOMPARE(f->time, u"090507"_s);
            QTEST(f->user, "user");
            QTEST(f->seconds, "seconds");
        }
    }

    void notePath()
    {
        QCOMPARE(NotePathOf(u"/c/20050203-090507-op-75.wav"_s), u"/c/20050203-090507-op-75.txt"_s);
        // Every ".wav" changes, a folder's too; upper case does not.
        QCOMPARE(NotePathOf(u"/c/old.wav files/a-b-c-1.wav"_s), u"/c/old.txt files/a-b-c-1.txt"_s);
        QCOMPARE(NotePathOf(u"/c/A.WAV"_s), u"/c/A.WAV"_s);
    }

    void readNotes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("note");
        QTest::newRow("CR LF after a call") << QByteArray("first\r\nsecond") << u"first <CR> second"_s;
        QTest::newRow("edited note") << QByteArray("first<CR>second") << u"first<CR>second"_s;
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac") << u"Caf\u00e9 \u20ac"_s;
        QTest::newRow("Windows 1252") << QByteArray("Caf\xe9 \x80\x93") << u"Caf\u00e9 \u20ac\u201c"_s;
    }
    void readNotes()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString audio = dir.path() + u"/20240301-091500-ann-65.wav"_s;
        writeBytes(NotePathOf(audio), bytes);
        ScriptedPrompts prompts;
        QTEST(getCallNote(audio, prompts), "note");
        QVERIFY(prompts.shown().isEmpty());
    }

    void missingAndRefusedNotes()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        QCOMPARE(getCallNote(dir.path() + u"/a-b-c-1.wav"_s, prompts), QString());

        const QString audio = dir.path() + u"/a-b-c-2.wav"_s;
        writeBytes(NotePathOf(audio), "secret");
        QFile::setPermissions(NotePathOf(audio), QFile::WriteOwner);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                              | QFile::ReadOther | QFile::ExeOther);
        {
            AsUnprivilegedUser nobody;
            if (!nobody.active() && geteuid() == 0)
                QSKIP("cannot drop root privileges here");
            QCOMPARE(getCallNote(audio, prompts), u"<denied access to note file>"_s);
        }
        // A note path that is a folder is an error, reported.
        const QString odd = dir.path() + u"/a-b-c-3.wav"_s;
        QVERIFY(QDir().mkdir(NotePathOf(odd)));
        QCOMPARE(getCallNote(odd, prompts), QString());
        QCOMPARE(prompts.shown().size(), 1);
        QVERIFY(prompts.shown()[0].text.startsWith(u"Error occurred: "_s));
        QVERIFY(prompts.shown()[0].text.endsWith(u", frmMain:getCallNote Method"_s));
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
        QFile f(dir.path() + u"/20240301-091500-ann-65.txt"_s);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Order 12\r\nCall back \xc3\xa9"));
        QCOMPARE(getCallNote(dir.path() + u"/20240301-091500-ann-65.wav"_s, prompts),
                 u"Order 12 <CR> Call back \u00e9"_s);

        // A calls folder that is gone: reported, nothing else written.
        WriteCallNote(call, dir.path() + u"/gone/"_s, prompts);
        QCOMPARE(prompts.shown().size(), 1);
        QVERIFY(prompts.shown()[0].text.endsWith(u", frmMain:WriteCallNote Method"_s));
    }
};

QTEST_GUILESS_MAIN(tst_CallFiles)
#include "tst_CallFiles.moc"
