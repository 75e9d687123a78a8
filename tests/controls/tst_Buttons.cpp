#include "base/RuntimeError.h"
#include "controls/LightButton.h"
#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QSoundEffect>
#include <QTest>

using namespace Qt::StringLiterals;

// A shown window with one button of each kind. Every event they raise goes into one log,
// e.g. "MouseDown 1", "Click", "in", "out" (the pointer coming and going, however the
// kind reports it), and so do the links the desktop is asked to open.
class ButtonRig : public QObject
{
    Q_OBJECT
public:
    QStringList log; // outlives the window, whose buttons still report as it closes
    QWidget window;
    OrvaneButton *orvane = new OrvaneButton(&window);
    XPButton *xp = new XPButton(&window);
    LightButton *light = new LightButton(&window);

    ButtonRig()
    {
        window.resize(400, 200);
        int left = 20;
        for (DrawnButton *b : buttons()) {
            b->setGeometry(left, 20, 100, 40);
            left += 120;
            connect(b, &DrawnButton::Click, this, [this] { log << u"Click"_s; });
            connect(b, &DrawnButton::MouseDown, this, [this](qint16 n) { log << u"MouseDown "_s + QString::number(n); });
            connect(b, &DrawnButton::MouseUp, this, [this](qint16 n) { log << u"MouseUp "_s + QString::number(n); });
        }
        connect(orvane, &OrvaneButton::MouseIn, this, [this] { log << u"in"_s; });
        connect(orvane, &OrvaneButton::MouseOut, this, [this] { log << u"out"_s; });
        connect(light, &LightButton::StatusChanged, this, [this](bool over) { log << (over ? u"in"_s : u"out"_s); });
        // Beside the program, wherever the test runs from (build/tests beside build/resources).
        orvane->setSoundOver(u"../resources/over.wav"_s);
        orvane->setSoundClick(u"..\\resources\\click.wav"_s);
        for (const QString &scheme : {u"mailto"_s, u"https"_s, u"http"_s})
            QDesktopServices::setUrlHandler(scheme, this, "open");
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the window never showed");
        QTest::mouseMove(&window, QPoint(390, 190));
        log.clear();
    }
    ~ButtonRig() override
    {
        for (const QString &scheme : {u"mailto"_s, u"https"_s, u"http"_s})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<DrawnButton *> buttons() const { return {orvane, xp, light}; }
    DrawnButton *button(const QString &kind) const
    {
        return kind == u"XPButton"_s ? static_cast<DrawnButton *>(xp) : kind == u"LightButton"_s ? static_cast<DrawnButton *>(light) : orvane;
    }
    // The sound is being played now.
    bool playing(const char *sound) const
    {
        auto *effect = orvane->findChild<QSoundEffect *>(QLatin1StringView(sound));
        return effect && effect->isPlaying();
    }

public slots:
    void open(const QUrl &url) { log << u"open "_s + url.toString(); }
};

class tst_Buttons : public QObject
{
    Q_OBJECT

private slots:
    void clickRules_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::addColumn<QPoint>("dragTo"); // from the middle, before the release there
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("pressedLook"); // while held
        QTest::addColumn<QStringList>("expected");
        const QPoint stay(0, 0), off(0, 60);
        QTest::newRow("left, mail link") << u"OrvaneButton"_s << Qt::LeftButton << stay << u"mailto:ann@example.org"_s << true << QStringList{u"MouseDown 1"_s, u"Click"_s, u"open mailto:ann@example.org"_s, u"MouseUp 1"_s};
        QTest::newRow("middle, web link") << u"OrvaneButton"_s << Qt::MiddleButton << stay << u"www.example.org"_s << true << QStringList{u"MouseDown 4"_s, u"Click"_s, u"open http://www.example.org"_s, u"MouseUp 4"_s};
        QTest::newRow("dragged off") << u"OrvaneButton"_s << Qt::LeftButton << off << u"https://example.org"_s << false << QStringList{u"MouseDown 1"_s, u"out"_s, u"MouseUp 1"_s};
        QTest::newRow("dragged within") << u"OrvaneButton"_s << Qt::LeftButton << QPoint(45, 15) << QString() << true << QStringList{u"MouseDown 1"_s, u"Click"_s, u"MouseUp 1"_s};
        QTest::newRow("right") << u"OrvaneButton"_s << Qt::RightButton << stay << u"https://example.org"_s << false << QStringList{u"MouseDown 2"_s, u"MouseUp 2"_s};
        QTest::newRow("XPButton right") << u"XPButton"_s << Qt::RightButton << stay << QString() << false << QStringList{u"MouseDown 2"_s, u"MouseUp 2"_s};
        QTest::newRow("XPButton dragged off") << u"XPButton"_s << Qt::LeftButton << off << QString() << false << QStringList{u"MouseDown 1"_s, u"MouseUp 1"_s};
        QTest::newRow("LightButton left") << u"LightButton"_s << Qt::LeftButton << stay << QString() << true << QStringList{u"MouseDown 1"_s, u"Click"_s, u"MouseUp 1"_s};
        QTest::newRow("LightButton right") << u"LightButton"_s << Qt::RightButton << stay << QString() << false << QStringList{u"MouseDown 2"_s, u"MouseUp 2"_s};
        QTest::newRow("LightButton dragged off") << u"LightButton"_s << Qt::LeftButton << off << QString() << false << QStringList{u"MouseDown 1"_s, u"out"_s, u"MouseUp 1"_s};
    }
    // Pointer onto the middle, press, move, release; only a release inside clicks, sounds
    // and follows the link, and only after a press with any but the right button.
    void clickRules()
    {
        QFETCH(QString, kind);
        QFETCH(Qt::MouseButton, mouseButton);
        QFETCH(QPoint, dragTo);
        QFETCH(QStringList, expected);
        ButtonRig rig;
        DrawnButton *b = rig.button(kind);
        QFETCH(QString, url);
        rig.orvane->setURL(url);
        const QPoint middle = b->rect().center();
        QTest::mouseMove(b, middle);
        rig.log.clear();
        QTest::mousePress(b, mouseButton, {}, middle);
        QTest::mouseMove(b, middle + dragTo);
        QTEST(b->looksPressed(), "pressedLook");
        QTest::mouseRelease(b, mouseButton, {}, middle + dragTo);
        QCOMPARE(rig.log, expected);
        QCOMPARE(rig.playing("SoundClick"), expected.contains(u"Click"_s) && b == rig.orvane);
        QVERIFY(!b->looksPressed());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QKeyCombination>("key"); // pressed and released on the focused button
        QTest::addColumn<QStringList>("expected"); // ending in the button that has the focus then
        const QString link = u"open mailto:ann@example.org"_s;
        QTest::newRow("OrvaneButton space") << u"OrvaneButton"_s << QKeyCombination(Qt::Key_Space) << QStringList{link, u"Click"_s, u"focus OrvaneButton1"_s};
        QTest::newRow("OrvaneButton access key") << u"OrvaneButton"_s << QKeyCombination(Qt::ALT, Qt::Key_H) << QStringList{u"Click"_s, link, u"focus OrvaneButton1"_s};
        QTest::newRow("OrvaneButton return") << u"OrvaneButton"_s << QKeyCombination(Qt::Key_Return) << QStringList{u"focus OrvaneButton1"_s};
        QTest::newRow("XPButton return") << u"XPButton"_s << QKeyCombination(Qt::Key_Return) << QStringList{u"Click"_s, u"focus XPButton1"_s};
        QTest::newRow("XPButton space") << u"XPButton"_s << QKeyCombination(Qt::Key_Space) << QStringList{u"Click"_s, u"focus XPButton1"_s};
        QTest::newRow("XPButton down") << u"XPButton"_s << QKeyCombination(Qt::Key_Down) << QStringList{u"focus LightButton1"_s};
        QTest::newRow("XPButton left") << u"XPButton"_s << QKeyCombination(Qt::Key_Left) << QStringList{u"focus OrvaneButton1"_s};
        QTest::newRow("LightButton space") << u"LightButton"_s << QKeyCombination(Qt::Key_Space) << QStringList{u"Click"_s, u"focus LightButton1"_s};
    }
    void keys()
    {
        QFETCH(QString, kind);
        QFETCH(QKeyCombination, key);
        ButtonRig rig;
        rig.orvane->setCaption(u"&Home"_s);
        rig.orvane->setURL(u"mailto:ann@example.org"_s);
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        DrawnButton *b = rig.button(kind);
        b->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        rig.log << u"focus "_s + QApplication::focusWidget()->objectName();
        QTEST(rig.log, "expected");
        QCOMPARE(rig.playing("SoundClick"), key.key() == Qt::Key_Space && b == rig.orvane);
    }

    void hover_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("OrvaneButton") << u"OrvaneButton"_s << true << QStringList{u"in"_s, u"out"_s};
        QTest::newRow("LightButton") << u"LightButton"_s << true << QStringList{u"in"_s, u"out"_s};
        QTest::newRow("XPButton") << u"XPButton"_s << true << QStringList{};
        QTest::newRow("disabled LightButton") << u"LightButton"_s << false << QStringList{};
    }
    // The pointer comes over the button and leaves it again.
    void hover()
    {
        QFETCH(QString, kind);
        QFETCH(bool, enabled);
        ButtonRig rig;
        DrawnButton *b = rig.button(kind);
        b->setEnabled(enabled);
        QTest::mouseMove(b, b->rect().center());
        QCOMPARE(b->isHovering(), enabled);
        QCOMPARE(rig.playing("SoundOver"), enabled && b == rig.orvane);
        QTest::mouseMove(&rig.window, QPoint(390, 190));
        QVERIFY(!b->isHovering());
        QTEST(rig.log, "expected");
    }

    void newXPButtonCaptions_data()
    {
        QTest::addColumn<QStringList>("steps"); // "new", "new in frame", "new elsewhere", "<n>=<caption>"
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("empty window") << QStringList{u"new"_s, u"new"_s, u"new"_s, u"new"_s} << QStringList{u"&OK"_s, u"&Cancel"_s, u"&Apply"_s, u"XPButton4"_s};
        QTest::newRow("a caption given away") << QStringList{u"new"_s, u"new"_s, u"0=Close"_s, u"new"_s} << QStringList{u"Close"_s, u"&Cancel"_s, u"&OK"_s};
        QTest::newRow("in a frame of the window") << QStringList{u"new"_s, u"new in frame"_s} << QStringList{u"&OK"_s, u"&Cancel"_s};
        QTest::newRow("another window") << QStringList{u"new"_s, u"new elsewhere"_s} << QStringList{u"&OK"_s, u"&OK"_s};
    }
    void newXPButtonCaptions()
    {
        QFETCH(QStringList, steps);
        QWidget window, other;
        auto *frame = new QWidget(&window);
        QList<XPButton *> made;
        for (const QString &step : steps) {
            if (step.startsWith(u"new"_s))
                made << new XPButton(step == u"new"_s ? &window : step == u"new in frame"_s ? frame : &other);
            else
                made.at(step.section(u'=', 0, 0).toInt())->setCaption(step.section(u'=', 1));
        }
        QStringList captions, names;
        for (XPButton *b : made) {
            captions << b->Caption();
            names << b->accessibleName();
            QCOMPARE(QAccessible::queryAccessibleInterface(b)->role(), QAccessible::Button);
        }
        QTEST(captions, "captions");
        QCOMPARE(names, captions.replaceInStrings(u"&"_s, QString()));
    }

    void lightButtonValues_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<qint16>("written");
        QTest::addColumn<QString>("error");
        QTest::newRow("BorderStyle 1") << "BorderStyle"_ba << qint16(1) << QString();
        QTest::newRow("BorderStyle 2") << "BorderStyle"_ba << qint16(2) << u"Invalid Borderstyle value (0 or 1 only)"_s;
        QTest::newRow("BorderStyle -1") << "BorderStyle"_ba << qint16(-1) << u"Invalid Borderstyle value (0 or 1 only)"_s;
        QTest::newRow("ButtonMode 1") << "ButtonMode"_ba << qint16(1) << QString();
        QTest::newRow("ButtonMode 2") << "ButtonMode"_ba << qint16(2) << u"Invalid ButtonMode Value(0 or 1 only)"_s;
    }
    // A refused value raises error 380 with its text and leaves the old value.
    void lightButtonValues()
    {
        QFETCH(QByteArray, property);
        QFETCH(qint16, written);
        QFETCH(QString, error);
        LightButton b;
        QString raised;
        try {
            property == "BorderStyle" ? b.setBorderStyle(written) : b.setButtonMode(written);
        } catch (const RuntimeError &e) {
            raised = e.number() == 380 ? e.description() : u"wrong number"_s;
        }
        QCOMPARE(raised, error);
        QCOMPARE(b.property(property.constData()).value<qint16>(), error.isEmpty() ? written : qint16(0));
    }
};

QTEST_MAIN(tst_Buttons)
#include "tst_Buttons.moc"
