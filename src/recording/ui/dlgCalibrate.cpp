#include "recording/ui/dlgCalibrate.h"

#include "base/AppContext.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "desktop/WidgetParts.h"
#include "controls/LevelBar.h"
#include "controls/XPButton.h"
#include "recording/ui/CalPicture.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString LevelOkText() { return dlgCalibrate::tr("Level OK - replace handset"); }
QString GoToStep2Text() { return dlgCalibrate::tr("Level OK - go to step 2"); }

// Whole dB as the 16-bit maximum holds them; ties to even, as an integer assignment rounds.
qint16 wholeDb(float db)
{
    return qint16(std::clamp(std::nearbyint(double(db)), -32768.0, 32767.0));
}

QTimer *timer(QObject *parent, int ms)
{
    auto *t = new QTimer(parent);
    t->setInterval(ms);
    return t;
}

} // namespace

dlgCalibrate::dlgCalibrate(AppContext &context, QWidget *owner)
    : QDialog(owner), ctx(context), MSSRCtrl(context.services.newRecorder())
{
    setObjectName(u"dlgCalibrate"_s);
    setWindowTitle(tr("Calibrate Voxmere"));
    tmrFlash = timer(this, 1000);
    tmrLevel = timer(this, 200);
    tmrMeasure = timer(this, 200);
    buildLayout();
    connect(cmdCalibrate, &XPButton::Click, this, &dlgCalibrate::cmdCalibrate_Click);
    connect(btnCalSens, &XPButton::Click, this, &dlgCalibrate::btnCalSens_Click);
    connect(btnOK, &XPButton::Click, this, [this] { finish(false); });
    connect(btnCancel, &XPButton::Click, this, &dlgCalibrate::reject);
    connect(tmrFlash, &QTimer::timeout, this, &dlgCalibrate::tmrFlash_Timer);
    connect(tmrLevel, &QTimer::timeout, this, &dlgCalibrate::tmrLevel_Timer);
    connect(tmrMeasure, &QTimer::timeout, this, &dlgCalibrate::tmrMeasure_Timer);
    // The main window's detection may have left the input open.
    MSSRCtrl->Close();
}

dlgCalibrate::~dlgCalibrate()
{
    endMeasuring();
    MSSRCtrl->Stop();
    MSSRCtrl->Close();
}

void dlgCalibrate::buildLayout()
{
    cmdCalibrate = WidgetParts::button(this, "cmdCalibrate", tr("Adjust  Recording Level"));
    btnCalSens = WidgetParts::button(this, "btnCalSens", tr("Set Recording Sensitivity"));
    btnOK = WidgetParts::button(this, "btnOK", tr("OK"));
    btnCancel = WidgetParts::button(this, "btnCancel", tr("&Cancel"));

    lblLevel = new QLabel(this);
    lblLevel->setObjectName(u"lblLevel"_s);
    lblLevel->setMinimumWidth(fontMetrics().horizontalAdvance(u"-100.0 dB "_s));
    lblLevel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lvlInput = new LevelBar(this);
    lvlInput->setObjectName(u"lvlInput"_s);
    lblDirection = new QLabel(this);
    lblDirection->setObjectName(u"lblDirection"_s);
    QFont bold = lblDirection->font();
    bold.setBold(true);
    lblDirection->setFont(bold);
    lblDirection->setAlignment(Qt::AlignCenter);
    // Keeps its place while hidden, so nothing moves when advice appears.
    QSizePolicy keep = lblDirection->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lblDirection->setSizePolicy(keep);
    lblDirection->setVisible(false);
    imgRecLevelOk = new CalPicture(CalPicture::LevelOk, tr("Levels OK"), this);
    imgRecLevelOk->setObjectName(u"imgRecLevelOk"_s);
    imgRecLevelOk->setVisible(false);
    imgOutOfRange = new CalPicture(CalPicture::OutOfRange, tr("Un-Calibrated or On-Hook"), this);
    imgOutOfRange->setObjectName(u"imgOutOfRange"_s);

    // A step: what to do, over the button that does it.
    auto step = [this](const QString &title, const QString &text, XPButton *button) {
        auto *box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        // With a buddy the label shows "&&" as "&"; the text holds no shortcut of its own.
        label->setBuddy(button);
        grid->addWidget(label, 0, 0, 1, 4);
        grid->addWidget(button, 1, 0);
        grid->setColumnStretch(2, 1);
        return std::pair{box, grid};
    };
    const auto [step1, grid] = step(tr("Step 1"), tr("Now, lift your telephone handset and click 'Adjust Recording Level'. While you have a steady dial tone move the Microphone Volume slider from a high position downwards until the RVI (Recording Volume Indicator) turns green.  If the dial tone becomes intermittent, replace && lift the handset again to get a dial tone back"),
                                    cmdCalibrate);
    grid->addWidget(lblLevel, 1, 1);
    grid->addWidget(lvlInput, 1, 2);
    grid->addWidget(lblDirection, 2, 1, 1, 2);
    // One lamp at a time, in one place.
    grid->addWidget(imgRecLevelOk, 1, 3, 2, 1, Qt::AlignCenter);
    grid->addWidget(imgOutOfRange, 1, 3, 2, 1, Qt::AlignCenter);
    const auto step2 = step(tr("Step 2"), tr("When you are happy that the setting is correct replace the handset and click 'Set Recording Sensitivity'"),
                            btnCalSens).first;

    auto *buttons = new QHBoxLayout;
    WidgetParts::placeButtons(buttons, btnOK, btnCancel);
    WidgetParts::setDefault(this, btnOK);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(step1);
    layout->addWidget(step2);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
}

// Level adjustment: the level every 200 ms until the sensitivity is measured or the
// window closes.
void dlgCalibrate::cmdCalibrate_Click()
{
    cmdCalibrate->setEnabled(false);
    MSSRCtrl->OpenInput();
    MSSRCtrl->Record();
    tmrLevel->start();
}

void dlgCalibrate::tmrLevel_Timer()
{
    float a = 0, b = 0;
    qint16 a2 = 0, b2 = 0;
    MSSRCtrl->GetLevels(a, a2, b, b2);
    lblLevel->setText(tr("%1 dB").arg(a, 0, 'f', 1));
    lvlInput->setLevels(a, b);
    lblDirection->setVisible(true);
    if (a < -10 || a >= -4) {
        tmrFlash->stop();
        imgRecLevelOk->setVisible(false);
        imgOutOfRange->setVisible(true);
        lblDirection->setText(a <= -4 ? tr("Increase Level (or phone on hook)") : tr("Decrease Level"));
    } else {
        imgRecLevelOk->setVisible(true);
        imgOutOfRange->setVisible(false);
        lblDirection->setText(LevelOkText());
        // Started once: restarting it on every tick would never let it flash.
        if (!tmrFlash->isActive())
            tmrFlash->start();
    }
}

void dlgCalibrate::tmrFlash_Timer()
{
    lblDirection->setText(lblDirection->text() == LevelOkText() ? GoToStep2Text() : LevelOkText());
}

// Sensitivity: the loudest of five readings 200 ms apart on the idle line.
void dlgCalibrate::btnCalSens_Click()
{
    if (tmrLevel->isActive()) {
        tmrLevel->stop();
        MSSRCtrl->Stop();
    }
    btnCalSens->setEnabled(false);
    // A second adjustment would take the input from under the measurement.
    cmdCalibrate->setEnabled(false);
    tmrFlash->stop();
    lblDirection->setText(tr("Level OK"));
    maximum = -9999;
    rounds = 0;
    MSSRCtrl->Close();
    MSSRCtrl->OpenInput();
    MSSRCtrl->Record();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    measuring = true;
    tmrMeasure->start();
}

void dlgCalibrate::tmrMeasure_Timer()
{
    float a = 0, b = 0;
    qint16 a2 = 0, b2 = 0;
    MSSRCtrl->GetLevels(a, a2, b, b2);
    if (a > maximum)
        maximum = wholeDb(a);
    if (++rounds < 5)
        return;
    endMeasuring();
    MeasuredMaximum = std::max<qint16>(maximum, -50);
    if (MeasuredMaximum >= -9)
        ctx.prompts().msgBox(tr("Audio level seems high - check the phone is on the hook.  Sensitivity level has been set"),
                             Prompts::OkOnly, Prompts::NoIcon, tr("%1 - Phone on hook?").arg(ProductName()));
    ctx.prompts().msgBox(tr("Calibration complete"), Prompts::OkOnly, Prompts::Information,
                         tr("%1 - Calibration").arg(ProductName()));
    btnCalSens->setEnabled(true);
    cmdCalibrate->setEnabled(true);
}

void dlgCalibrate::endMeasuring()
{
    if (!measuring)
        return;
    measuring = false;
    tmrMeasure->stop();
    MSSRCtrl->Stop();
    MSSRCtrl->Close();
    QApplication::restoreOverrideCursor();
}

void dlgCalibrate::finish(bool cancelled)
{
    Cancelled = cancelled;
    tmrFlash->stop();
    tmrLevel->stop();
    // A measurement cut short gives no sensitivity: the last finished one stands.
    endMeasuring();
    if (cancelled)
        QDialog::reject();
    else
        accept();
}

void dlgCalibrate::reject()
{
    finish(true);
}
