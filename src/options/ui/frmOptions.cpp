#include "options/ui/frmOptions.h"

#include "base/AppContext.h"
#include "base/Guarded.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "desktop/WidgetParts.h"
#include "controls/OrvaneButton.h"
#include "controls/XPButton.h"
#include "controls/kvtSlider.h"
#include "options/ui/dlgAbout.h"
#include "options/ui/dlgChangePW.h"
#include "recording/ui/CalibrationWizard.h"
#include "desktop/DesktopShell.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using WidgetParts::named;

namespace {

// The value as its label shows it while the thumb moves, padded to keep the width steady.
QString sliderText(qint32 number, const char *unit)
{
    return (QString::number(number) + QCoreApplication::translate("frmOptions", unit)).leftJustified(6);
}

// A value the slider cannot show (stored by hand, say) stands at its nearest end.
void setClamped(kvtSlider *slider, qint32 value)
{
    slider->setValue(std::clamp(value, slider->Min(), slider->Max()));
}

// A small line picture in the buttons' text colour, so it reads on a light or a dark window.
template <class Draw>
QPixmap linePicture(const QPalette &palette, Draw draw)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.color(QPalette::ButtonText), 1.5, Qt::SolidLine, Qt::RoundCap));
    draw(painter);
    return picture;
}

QPixmap keyPicture(const QPalette &palette)
{
    return linePicture(palette, [](QPainter &p) {
        p.drawEllipse(QRectF(1.5, 5, 6, 6));
        p.drawLine(QPointF(7.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(12, 8), QPointF(12, 11));
        p.drawLine(QPointF(14.5, 8), QPointF(14.5, 11));
    });
}

QPixmap microphonePicture(const QPalette &palette)
{
    return linePicture(palette, [](QPainter &p) {
        p.drawRoundedRect(QRectF(5.5, 1.5, 5, 8), 2.5, 2.5);
        p.drawArc(QRectF(3, 4, 10, 8), 180 * 16, 180 * 16);
        p.drawLine(QPointF(8, 12), QPointF(8, 14.5));
        p.drawLine(QPointF(5.5, 14.5), QPointF(10.5, 14.5));
    });
}

} // namespace

frmOptions::frmOptions(AppContext &context, RecorderComponent &rec, QWidget *parent)
    : QDialog(parent), ctx(context), recorder(rec)
{
    setObjectName(u"frmOptions"_s);
    setWindowTitle(tr("Recorder Options"));
    buildLayout();
    wire();
    Form_Load();
}

void frmOptions::buildLayout()
{
    auto check = [this](const char *name, const QString &text, const QString &tip) {
        return named(new QCheckBox(text, this), name, tip);
    };
    auto button = [this](const char *name, const QString &text, const QString &tip) {
        return named(WidgetParts::button(this, name, text), name, tip);
    };
    // A small picture before the caption.
    auto pictureButton = [this](const char *name, const QString &text, const QString &tip, const QPixmap &picture) {
        auto *b = named(new OrvaneButton(this, QLatin1StringView(name)), name, tip);
        b->setCaption(text);
        b->setPicturePosition(OrvaneButton::PictureLeft);
        b->setPictureWidth(16);
        b->setPictureHeight(16);
        b->setPicture(picture);
        return b;
    };
    auto slider = [this](const char *name, qint32 min, qint32 max, const QString &tip) {
        auto *s = named(new kvtSlider(this), name, tip);
        s->setOrientation(kvtSlider::Horizontal);
        s->setMax(max);
        s->setMin(min);
        s->setMinimumWidth(s->fontMetrics().averageCharWidth() * 24);
        return s;
    };

    // User Options
    chkAutoRecord = check("chkAutoRecord", tr("Automatic Recording"), tr("Enable 'Voice-Activated' automatic recording"));
    chkAddNote = check("chkAddNote", tr("Add Recording Note"), tr("Let the user add a call note when the call recording completes"));
    chkAutoMaximize = check("chkAutoMaximize", tr("Maximise at Start of Call"), tr("Make the application visible when a call recording starts"));
    chkPassword = check("chkPassword", tr("Password Protect Options"), tr("Enter a password to prevent unauthorised access to options"));
    btnPW = pictureButton("btnPW", u"PW"_s, tr("Set / Change the password"), keyPicture(palette()));
    btnPW->setAccessibleName(tr("Set / Change the password"));
    txtCallsFolder = named(new QLineEdit(this), "txtCallsFolder", tr("Where recordings are stored by default"));
    txtCallsFolder->setAccessibleName(tr("Calls Folder"));
    cmdChangeCallsFolder = button("cmdChangeCallsFolder", tr("Change"), tr("Change the default calls folder"));
    auto *lblCallsFolder = new QLabel(tr("Calls Folder :"), this);
    lblCallsFolder->setBuddy(txtCallsFolder);

    auto *userBox = named(new QGroupBox(tr("User Options :"), this), "fraUser");
    auto *user = new QGridLayout(userBox);
    user->addWidget(chkAutoRecord, 0, 0, 1, 3);
    user->addWidget(chkAddNote, 1, 0, 1, 3);
    user->addWidget(chkAutoMaximize, 2, 0, 1, 3);
    user->addWidget(chkPassword, 3, 0, 1, 2);
    user->addWidget(btnPW, 3, 2);
    user->addWidget(lblCallsFolder, 4, 0, 1, 3);
    user->addWidget(txtCallsFolder, 5, 0, 1, 2);
    user->addWidget(cmdChangeCallsFolder, 5, 2);
    user->setColumnStretch(0, 1);
    user->setRowStretch(6, 1);

    // Recording Format
    optFormat[0] = named(new QRadioButton(tr("GSM - Much smaller files, slightly lower quality"), this), "optFormat0");
    optFormat[1] = named(new QRadioButton(tr("PCM - Larger files, slightly higher quality"), this), "optFormat1");
    auto *formatBox = named(new QGroupBox(tr("Recording Format :"), this), "fraFormat");
    auto *format = new QVBoxLayout(formatBox);
    format->addWidget(optFormat[0]);
    format->addWidget(optFormat[1]);

    // Calibration Settings
    sldSensitivity = slider("sldSensitivity", 0, 50, tr("Audio level required to start automatic recording"));
    sldLatch = slider("sldLatch", 2, 20, tr("Period of 'silence' at the end of the call needed to stop recording"));
    sldMinCall = slider("sldMinCall", 0, 60, tr("Automatically recorded calls shorter than this will be deleted"));
    lblSensitivity = named(new QLabel(this), "lblSensitivity");
    lblLatchTime = named(new QLabel(this), "lblLatchTime");
    sldPreRoll = slider("sldPreRoll", 0, ProgramSettings::MaxPreRoll,
                        tr("Seconds of the line kept before a call by voice starts, so that its first words are recorded"));
    lblMinCall = named(new QLabel(this), "lblMinCall");
    lblPreRoll = named(new QLabel(this), "lblPreRoll");
    btnCal = pictureButton("btnCal", tr("Calibrate"), tr("Calibrate Recorder Settings"), microphonePicture(palette()));
    auto *calBox = named(new QGroupBox(tr("Calibration Settings :"), this), "fraCalibration");
    auto *cal = new QGridLayout(calBox);
    const struct {
        const char *caption;
        kvtSlider *slider;
        QLabel *value;
    } rows[] = {{QT_TR_NOOP("Start Recording Sensitivity :"), sldSensitivity, lblSensitivity},
                {QT_TR_NOOP("Stop Recording Tolerance :"), sldLatch, lblLatchTime},
                {QT_TR_NOOP("Delete Calls Shorter Than :"), sldMinCall, lblMinCall},
                {QT_TR_NOOP("Keep Before Call Start :"), sldPreRoll, lblPreRoll}};
    // Wide enough for the longest value, so the sliders do not move as it changes.
    const int valueWidth = fontMetrics().horizontalAdvance(u"-50 dB__"_s);
    int row = 0;
    for (const auto &r : rows) {
        auto *caption = new QLabel(tr(r.caption), this);
        r.slider->setAccessibleName(caption->text().chopped(2));
        r.value->setMinimumWidth(valueWidth);
        cal->addWidget(caption, row, 0);
        cal->addWidget(r.slider, row, 1);
        cal->addWidget(r.value, row, 2);
        if (r.slider == sldSensitivity) {
            auto *lessSensitive = named(new QLabel(tr("Less Sensitive"), this), "lblLessSensitive");
            QFont small = lessSensitive->font();
            small.setPointSizeF(small.pointSizeF() * 0.85);
            lessSensitive->setFont(small);
            cal->addWidget(lessSensitive, ++row, 1, Qt::AlignRight | Qt::AlignTop);
        }
        ++row;
    }
    cal->setColumnStretch(1, 1);
    cal->addWidget(btnCal, row, 0, 1, 3, Qt::AlignRight);

    // User Privileges
    chkPlay = check("chkPlay", tr("User can play back calls"), tr("Tick to allow the user to listen to calls"));
    chkDelete = check("chkDelete", tr("User can delete calls"), tr("Tick to allow users to delete call recordings"));
    chkPreventShutdown = check("chkPreventShutdown", tr("Prevent user from closing Voxmere"), tr("Tick to prevent user from closing the application"));
    auto *rights = named(new QGroupBox(tr("User Privileges :"), this), "fraPrivileges");
    auto *rightsGrid = new QGridLayout(rights);
    const struct {
        QCheckBox *box;
        QRadioButton **opts;
        const char *names[2];
        const char *verb;
    } pairs[] = {{chkPlay, optPlay, {"optPlay0", "optPlay1"}, QT_TR_NOOP("listen to")},
                 {chkDelete, optDel, {"optDel0", "optDel1"}, QT_TR_NOOP("delete")}};
    row = 0;
    for (const auto &p : pairs) {
        auto *group = new QButtonGroup(this);
        p.opts[0] = named(new QRadioButton(tr("own"), this), p.names[0],
                          tr("Select to allow the user to %1 just their own calls").arg(tr(p.verb)));
        p.opts[1] = named(new QRadioButton(tr("all"), this), p.names[1],
                          tr("Select to allow the user to %1 all accessible calls").arg(tr(p.verb)));
        for (QRadioButton *o : {p.opts[0], p.opts[1]}) {
            group->addButton(o);
            o->setAccessibleName(p.box->text() + u": "_s + o->text());
        }
        rightsGrid->addWidget(p.box, row, 0);
        rightsGrid->addWidget(p.opts[0], row, 1);
        rightsGrid->addWidget(p.opts[1], row, 2);
        ++row;
    }
    rightsGrid->addWidget(chkPreventShutdown, row, 0, 1, 3);
    // Tab goes along each row: a right, then whose calls it covers.
    QWidget *const rowOrder[] = {chkPlay, optPlay[0], optPlay[1], chkDelete, optDel[0], optDel[1], chkPreventShutdown};
    for (size_t i = 1; i < std::size(rowOrder); ++i)
        QWidget::setTabOrder(rowOrder[i - 1], rowOrder[i]);
    rightsGrid->setColumnStretch(3, 1);

    cmdAbout = button("cmdAbout", tr("About Voxmere"), QString());
    cmdClose = button("cmdClose", tr("&Close"), QString());
    WidgetParts::setDefault(this, cmdClose);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdAbout);
    bottom->addStretch();
    bottom->addWidget(cmdClose);

    auto *grid = new QGridLayout(this);
    grid->addWidget(userBox, 0, 0, 2, 1);
    grid->addWidget(formatBox, 0, 1);
    grid->addWidget(calBox, 1, 1);
    grid->addWidget(rights, 2, 0, 1, 2);
    grid->addLayout(bottom, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void frmOptions::wire()
{
    ProgramSettings &s = ctx.settings;
    // Ticks by the user, not those the form makes itself.
    auto onTick = [this](QCheckBox *box, auto handler) {
        connect(box, &QCheckBox::toggled, this, [this, handler](bool ticked) {
            if (!updating)
                handler(ticked);
        });
    };
    onTick(chkAutoRecord, [this, &s](bool ticked) {
        s.AutoRecord = ticked;
        // Detection arms the recorder again when it is needed.
        if (!ticked)
            recorder.Close();
    });
    onTick(chkPassword, [this](bool) { chkPassword_Click(); });
    onTick(chkPlay, [this, &s](bool ticked) {
        s.CanPlay = ticked;
        enableRights();
    });
    onTick(chkDelete, [this, &s](bool ticked) {
        s.CanDelete = ticked;
        enableRights();
    });
    onTick(chkPreventShutdown, [&s](bool ticked) { s.SD = ticked; });
    connect(chkAddNote, &QCheckBox::toggled, this, [&s](bool ticked) { s.AddNote = ticked; });
    connect(chkAutoMaximize, &QCheckBox::toggled, this, [&s](bool ticked) { s.Maximise = ticked; });
    // Clicks only: choosing the format at load must not reconfigure the recorder.
    connect(optFormat[0], &QRadioButton::clicked, this, [this] { optFormat_Click(0); });
    connect(optFormat[1], &QRadioButton::clicked, this, [this] { optFormat_Click(1); });
    connect(optPlay[0], &QRadioButton::toggled, this, [&s](bool own) { s.PlayOwnOnly = own; });
    connect(optDel[0], &QRadioButton::toggled, this, [&s](bool own) { s.DeleteOwnOnly = own; });

    const struct {
        kvtSlider *slider;
        QLabel *label;
        const char *unit;
        qint32 offset;
    } sliders[] = {{sldSensitivity, lblSensitivity, " dB", -50}, {sldLatch, lblLatchTime, QT_TR_NOOP(" sec"), 0},
                   {sldMinCall, lblMinCall, QT_TR_NOOP(" sec"), 0}, {sldPreRoll, lblPreRoll, QT_TR_NOOP(" sec"), 0}};
    for (const auto &sl : sliders) {
        GuardedConnect(ctx.prompts(), u"frmOptions:Slider_ValueChanged"_s, sl.slider, &kvtSlider::ValueChanged, this,
                       [sl] { sl.label->setText(sliderText(sl.slider->Value() + sl.offset, sl.unit)); });
        GuardedConnect(ctx.prompts(), u"frmOptions:Slider_MouseUp"_s, sl.slider, &kvtSlider::MouseUp, cmdClose,
                       [this] { cmdClose->setFocus(); });
    }

    connect(btnPW, &OrvaneButton::Click, this, &frmOptions::btnPW_Click);
    connect(btnCal, &OrvaneButton::Click, this, &frmOptions::btnCal_Click);
    connect(cmdChangeCallsFolder, &XPButton::Click, this, &frmOptions::cmdChangeCallsFolder_Click);
    connect(cmdAbout, &XPButton::Click, this, [this] {
        dlgAbout about(ctx.services.desktop, this);
        about.exec();
    });
    connect(cmdClose, &XPButton::Click, this, &frmOptions::cmdClose_Click);
}

void frmOptions::Form_Load()
{
    const ProgramSettings &s = ctx.settings;
    updating = true;
    try {
        optFormat[s.GsmFlag ? 0 : 1]->setChecked(true);
        setClamped(sldLatch, s.CallTimeOut);
        lblLatchTime->setText(QString::number(sldLatch->Value()) + tr(" sec"));
        setClamped(sldSensitivity, sldSensitivity->Max() + s.Sensitivity);
        lblSensitivity->setText(QString::number(sldSensitivity->Value() - sldSensitivity->Max()) + u" dB"_s);
        setClamped(sldMinCall, s.MinCallLength);
        lblMinCall->setText(QString::number(sldMinCall->Value()) + tr(" sec"));
        setClamped(sldPreRoll, s.PreRoll);
        lblPreRoll->setText(QString::number(sldPreRoll->Value()) + tr(" sec"));
        // Ticking sets the flag it shows: copy them all before the first tick.
        const bool flags[] = {s.AutoRecord, s.AddNote, s.Maximise, s.CanPlay, s.CanDelete, s.SD};
        const bool own[] = {s.PlayOwnOnly, s.DeleteOwnOnly};
        QCheckBox *boxes[] = {chkAutoRecord, chkAddNote, chkAutoMaximize, chkPlay, chkDelete, chkPreventShutdown};
        for (int i = 0; i < 6; ++i)
            boxes[i]->setChecked(flags[i]);
        optPlay[own[0] ? 0 : 1]->setChecked(true);
        optDel[own[1] ? 0 : 1]->setChecked(true);
        enableRights();
        txtCallsFolder->setText(s.CallPath);
        chkPassword->setChecked(!s.PW.isEmpty());
    } catch (const std::exception &e) {
        ctx.prompts().message(tr("Error occured in Preferences(1):Form_load: %1: %2")
                                  .arg(RuntimeError::numberOf(e)).arg(RuntimeError::descriptionOf(e)),
                              Prompts::Exclamation, tr("%1 Error").arg(ProductName()));
    }
    updating = false;
}

void frmOptions::enableRights()
{
    for (QRadioButton *o : optPlay)
        o->setEnabled(chkPlay->isChecked());
    for (QRadioButton *o : optDel)
        o->setEnabled(chkDelete->isChecked());
}

void frmOptions::optFormat_Click(int index)
{
    ctx.settings.GsmFlag = index == 0;
    recorder.Close();
    if (index == 0) {
        recorder.setRecordOption(100);
        recorder.setRecordFormat(RecorderComponent::GsmFormat());
    } else {
        recorder.setPcmRate(8000);
        recorder.setRecordOption(8);
    }
}

void frmOptions::chkPassword_Click()
{
    if (chkPassword->isChecked()) {
        btnPW_Click();
        return;
    }
    if (ctx.prompts().msgBox(tr("Clear Options Password?"), Prompts::YesNo, Prompts::Question,
                             ProductName())
        == Prompts::Yes) {
        ctx.store.SaveStringSetting(u"PW"_s, QString());
        ctx.settings.PW.clear();
    } else {
        showPasswordState();
    }
}

void frmOptions::btnPW_Click()
{
    dlgChangePW change(ctx, this);
    change.exec();
    showPasswordState();
}

void frmOptions::showPasswordState()
{
    updating = true;
    chkPassword->setChecked(!ctx.settings.PW.isEmpty());
    updating = false;
}

// The sensitivity goes 2 dB above the idle line's level; it is saved when the dialog closes.
void frmOptions::btnCal_Click()
{
    const std::optional<qint16> level = CalibrationWizard::Run(ctx, recorder, this);
    if (!level)
        return;
    setClamped(sldSensitivity, *level + 50 + 2);
    lblSensitivity->setText(QString::number(sldSensitivity->Value() - sldSensitivity->Max()) + u" dB"_s);
}

void frmOptions::cmdChangeCallsFolder_Click()
{
    const QString folder = DesktopShell::BrowseForFolder(ctx.services.desktop, this, txtCallsFolder->text(),
                                                         tr("Select Default Calls Folder"),
                                                         ctx.prompts());
    if (folder.isEmpty())
        return;
    txtCallsFolder->setText(folder);
    ctx.settings.CallPath = folder;
}

void frmOptions::cmdClose_Click()
{
    ProgramSettings &s = ctx.settings;
    const QString typed = txtCallsFolder->text();
    if (typed != s.CallPath
        && ctx.prompts().msgBox(tr("Save new calls folder?"), Prompts::YesNo, Prompts::Question,
                                tr("Save Changes?"))
            == Prompts::Yes) {
        if (!QFileInfo(typed).isDir()) {
            ctx.prompts().msgBox(tr("Folder: %1 does not exist").arg(typed), Prompts::OkOnly,
                                 Prompts::NoIcon, QString());
            return;
        }
        s.CallPath = typed;
    }
    s.CallTimeOut = sldLatch->Value();
    s.Sensitivity = sldSensitivity->Value() - sldSensitivity->Max();
    s.MinCallLength = sldMinCall->Value();
    s.PreRoll = sldPreRoll->Value();
    s.SaveAllSettings(ctx.store);
    accept();
}

void frmOptions::reject()
{
    cmdClose_Click();
}
