#include "desktop/XdgDesktop.h"
#include "TestFiles.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

// The real desktop's mail: what xdg-email is given and how its failures are told. Here
// the desktop's own xdg-email is a script that keeps its arguments (a headless machine has
// no mail program to open).
class tst_XdgDesktop : public QObject
{
    Q_OBJECT

private slots:
    void compose_data()
    {
        QTest::addColumn<QByteArray>("script"); // xdg-email's; none: not installed
        QTest::addColumn<QString>("told");      // "started|error", or nothing
        QTest::newRow("handed over") << QByteArray("exit 0") << QString();
        QTest::newRow("fails and says why") << QByteArray("echo no method available >&2; exit 4") << u"1|4: no method available"_s;
        QTest::newRow("not installed") << QByteArray() << u"0|2: No such file or directory (xdg-email, of the package xdg-utils)"_s;
    }
    void compose()
    {
        QFETCH(QByteArray, script);
        QTemporaryDir bin;
        const QString tool = bin.filePath(u"xdg-email"_s);
        QVERIFY(script.isNull() || (TestFiles::write(tool, "#!/bin/sh\nfor a; do printf '%s\\0' \"$a\"; done > \"$0.args\"\n" + script)
                                    && QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner)));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        auto restore = qScopeGuard([&] { qputenv("PATH", path); });
        QString told;
        XdgDesktop().compose({u"Subject"_s, u"Body\nline"_s, {u"/tmp/a b.wav"_s, u"/tmp/c.wav"_s}},
                             [&](bool started, const QString &error) { told = u"%1|%2"_s.arg(int(started)).arg(error); });
        // The tool runs on by itself until it ends.
        QTRY_VERIFY(qApp->findChildren<QProcess *>().isEmpty());
        QTEST(told, "told");
        if (!script.isNull())
            QCOMPARE(TestFiles::read(tool + u".args"_s).split('\0'),
                     (QList<QByteArray>{"--utf8", "--subject", "Subject", "--body", "Body\nline", "--attach", "/tmp/a b.wav",
                                        "--attach", "/tmp/c.wav", ""}));
    }
};

QTEST_MAIN(tst_XdgDesktop)
#include "tst_XdgDesktop.moc"
