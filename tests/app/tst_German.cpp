#include "base/ProgramFiles.h"
#include "callstore/CallListModel.h"
#include "controls/LightButton.h"
#include "recording/ui/dlgCalMsg.h"
#include "review/modDateFunctions.h"
#include "ProgramWindows.h"
#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeView>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Qt::StringLiterals;

// The program as a German user meets it (the test runs under LANG=de_DE.UTF-8): every
// window speaks German, Qt's own buttons too, and dates are written the German way.
class tst_German : public QObject
{
    Q_OBJECT

    // The English texts the translation gives another German text for, as patterns
    // (a %1 stands for anything).
    QList<std::pair<QRegularExpression, QString>> m_english;

    // Texts kept in tables, shown once before the translation is loaded: they must not
    // keep the English they were first looked up in.
    static QStringList tableTexts()
    {
        ScriptedPrompts prompts;
        const dlgCalMsg page(5, prompts, nullptr), untitled(1, prompts, nullptr);
        return {CallListModel().headerData(CallListModel::Duration, Qt::Horizontal, Qt::DisplayRole).toString(),
                modDateFunctions::MonthAbbrev(10), page.windowTitle(), untitled.windowTitle(),
                page.findChild<QLabel *>(u"lblText"_s)->text()};
    }
    QStringList m_tablesBefore;

    QStringList englishIn(const QStringList &texts) const
    {
        QStringList english;
        for (const QString &text : texts)
            if (std::ranges::any_of(m_english, [&](const auto &e) { return e.first.match(text).hasMatch(); }))
                english << text;
        return english;
    }

    static QStringList shownTexts(QWidget *top)
    {
        QStringList texts{top->windowTitle()};
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (w->window() != top || !w->isVisibleTo(top))
                continue;
            texts << w->toolTip() << w->accessibleName() << w->whatsThis();
            if (auto *l = qobject_cast<QLabel *>(w))
                texts << l->text();
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                texts << b->text();
            if (auto *g = qobject_cast<QGroupBox *>(w))
                texts << g->title();
            if (auto *tabs = qobject_cast<QTabWidget *>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    texts << tabs->tabText(i);
            if (auto *c = qobject_cast<QComboBox *>(w))
                for (int i = 0; i < c->count(); ++i)
                    texts << c->itemText(i);
            if (auto *h = qobject_cast<QHeaderView *>(w); h && h->model())
                for (int i = 0; i < h->count(); ++i)
                    texts << h->model()->headerData(i, h->orientation()).toString();
            for (const QAction *a : w->actions())
                texts << a->text() << a->toolTip();
        }
        texts.removeAll(QString());
        texts.removeDuplicates();
        return texts;
    }

private slots:
    void initTestCase()
    {
        m_tablesBefore = tableTexts();
        InstallTranslations(*qApp);
        QFile ts(QStringLiteral(VOXMERE_SOURCE_DIR "/translations/voxmere_de.ts"));
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == "source"_L1) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == "translation"_L1) {
                const QString german = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (german.isEmpty() || german == source)
                    continue;
                QString pattern = QRegularExpression::escape(source);
                pattern.replace(QRegularExpression(u"%[0-9n]"_s), u".*"_s);
                m_english.append({QRegularExpression(QRegularExpression::anchoredPattern(pattern)), source});
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString() + u" at line "_s + QString::number(xml.lineNumber())));
        QVERIFY(m_english.size() > 100);
        QCOMPARE(QLocale().language(), QLocale::German);
        // Qt's own texts: the buttons of every message box.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Abbrechen"_s);
    }

    void everyWindowIsGerman_data()
    {
        windowRows();
    }
    void everyWindowIsGerman()
    {
        QFETCH(int, index);
        WindowRig t;
        QVERIFY(TestFiles::write(t.call(u"20240301-091500-ann-75.wav"_s), "RIFF"));
        QVERIFY(t.load());
        std::unique_ptr<QWidget> owned = index ? windows()[index].second(t) : nullptr;
        QWidget *top = index ? owned.get() : t.window.get();
        top->show();
        if (!index) { // the list's dates in the German order, the month a number
            const QAbstractItemModel *model = t.find<QTreeView>("lvwCalls")->model();
            QTRY_COMPARE(model->rowCount(), 1);
            QCOMPARE(model->index(0, CallListModel::CallDate).data().toString(), u"01.03.2024"_s);
        }
        const QStringList english = englishIn(shownTexts(top));
        QVERIFY2(english.isEmpty(), qPrintable(u"still English: "_s + english.join(u" | "_s)));
        // The longer captions fit: no button squeezed, none pushed off the tool bar.
        for (const LightButton *b : top->findChildren<LightButton *>())
            QVERIFY2(b->isVisible() && b->width() >= b->sizeHint().width(), qPrintable(b->objectName()));
    }

    void tablesFollowTheLateTranslation()
    {
        QCOMPARE(englishIn(m_tablesBefore), m_tablesBefore);
        QCOMPARE(englishIn(tableTexts()), QStringList());
    }

};

QTEST_MAIN(tst_German)
#include "tst_German.moc"
