#include "base/Prompts.h"
#include "callstore/CallListModel.h"
#include "recording/ui/dlgCalMsg.h"
#include "review/modDateFunctions.h"
#include "ScriptedPrompts.h"

#include <QLabel>
#include <QTranslator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Every text in brackets: what was translated shows, and which context it was looked up in.
class BracketTranslator final : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        return u"[%1|%2]"_s.arg(QLatin1StringView(context), QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// Texts kept in tables are looked up each time they are shown: a translator loaded after
// the first use, or taken away again, is followed.
class tst_LateTranslator : public QObject
{
    Q_OBJECT

    using Shown = std::function<QString()>;

private slots:
    void tablesFollowTheTranslator_data()
    {
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::newRow("call list heading") << Shown([] {
            CallListModel model;
            return model.headerData(CallListModel::Duration, Qt::Horizontal, Qt::DisplayRole).toString();
        }) << u"CallListModel"_s << u"Duration"_s;
        QTest::newRow("month of a date") << Shown([] { return modDateFunctions::MonthAbbrev(9); })
                                         << u"modDateFunctions"_s << u"Sep"_s;
        const auto page = [](int n, auto part) {
            return Shown([n, part] {
                ScriptedPrompts prompts;
                dlgCalMsg dialog(n, prompts, nullptr);
                return part(dialog);
            });
        };
        QTest::newRow("help page title") << page(3, [](dlgCalMsg &d) { return d.windowTitle(); })
                                         << u"dlgCalMsg"_s << u"Show Microphone Volume Control"_s;
        QTest::newRow("help page without a title of its own") << page(1, [](dlgCalMsg &d) { return d.windowTitle(); })
                                                             << u"dlgCalMsg"_s << u"Calibrate Voxmere"_s;
        QTest::newRow("help page text") << page(5, [](dlgCalMsg &d) {
            return d.findChild<QLabel *>(u"lblText"_s)->text();
        }) << u"dlgCalMsg"_s << u"Among the capture controls of alsamixer"_s;
    }
    void tablesFollowTheTranslator()
    {
        QFETCH(Shown, shown);
        QFETCH(QString, context);
        QFETCH(QString, english);
        QVERIFY(shown().startsWith(english)); // shown once before any translator
        {
            BracketTranslator translator;
            QVERIFY(QCoreApplication::installTranslator(&translator));
            const QString translated = shown();
            QVERIFY2(translated.startsWith(u"[%1|%2"_s.arg(context, english.left(30))), qPrintable(translated));
        }
        QVERIFY(shown().startsWith(english));
    }
};

QTEST_MAIN(tst_LateTranslator)
#include "tst_LateTranslator.moc"
