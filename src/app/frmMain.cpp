#include "app/frmMain.h"

#include "app/AppIcons.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/FileAccess.h"
#include "base/Guarded.h"
#include "base/modUtilityFunctions.h"
#include "callstore/clsCall.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderCodes.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "base/Twips.h"
#include "callstore/ui/CallList.h"
#include "callstore/ui/JobProgress.h"
#include "desktop/WidgetParts.h"
#include "callstore/UserIdentity.h"
#include "controls/LevelBar.h"
#include "controls/LightButton.h"
#include "controls/OrvaneButton.h"
#include "controls/kvtSlider.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"
#include "recording/RecordingSession.h"
#include "recording/TempFolder.h"
#include "recording/ui/frmAddNote.h"
#include "recording/WaitingCalls.h"
#include "review/ui/CallReview.h"
#include "review/ui/CallSending.h"
#include "base/Desktop.h"
#include "desktop/DesktopShell.h"
#include "review/ui/Playback.h"
#include "app/PlayControls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;
using WidgetParts::named;

namespace {

QIcon themed(const char *name, const QIcon &fallback)
{
    return QIcon::fromTheme(QLatin1StringView(name), fallback);
}

// A tool button found by its control name; its tool tip is also its accessible name.
QToolButton *makeButton(QWidget *parent, const char *name, const QString &text,
                        const QString &tip, const QIcon &icon)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1StringView(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setIcon(icon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::TabFocus);
    if (!text.isEmpty())
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return b;
}

// The face of a tool bar button in one state: its icon over its caption.
QPixmap toolFace(const QWidget *w, const QIcon &icon, const QString &caption, QIcon::Mode mode,
                 const QColor &fill)
{
    const QString text = QString(caption).remove(u'&');
    const QFontMetrics fm = w->fontMetrics(); // the caption's width, without its marker
    constexpr int IconSize = 24, Pad = 4;
    const QSize size(std::max(IconSize, fm.horizontalAdvance(text)) + 4 * Pad,
                     IconSize + fm.height() + 3 * Pad);
    const qreal dpr = w->devicePixelRatioF();
    QPixmap face(size * dpr);
    face.setDevicePixelRatio(dpr);
    face.fill(Qt::transparent);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    if (fill.alpha() > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(QPointF(0.5, 0.5), QSizeF(size) - QSizeF(1, 1)), 4, 4);
    }
    p.drawPixmap((size.width() - IconSize) / 2, Pad, icon.pixmap(QSize(IconSize, IconSize), dpr, mode));
    p.setPen(w->palette().color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                                QPalette::ButtonText));
    p.setFont(w->font());
    p.drawText(QRect(0, IconSize + 2 * Pad, size.width(), fm.height()), Qt::AlignCenter | Qt::TextShowMnemonic,
               caption);
    return face;
}

// The width of a tool bar that shows all its entries, in the captions' language.
int wholeWidth(const QToolBar *bar)
{
    int width = 2 * bar->style()->pixelMetric(QStyle::PM_ToolBarHandleExtent, nullptr, bar);
    for (QAction *action : bar->actions())
        if (const QWidget *w = bar->widgetForAction(action))
            width += w->sizeHint().width() + bar->layout()->spacing();
    return width;
}

// A transport button: the program's own, drawn as the tool bar's buttons are, lit under
// the pointer with the desktop's highlight.
LightButton *makeTransport(QWidget *parent, const char *name, const QString &caption,
                           const QString &tip, const QIcon &icon)
{
    auto *b = new LightButton(parent, QLatin1StringView(name));
    b->setCaption(caption);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    b->setButtonMode(LightButton::GraphicMode);
    // Its face is drawn for its caption: squeezed, the caption would be unreadable.
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QColor lit = parent->palette().color(QPalette::Highlight);
    lit.setAlphaF(0.18);
    const QColor none(Qt::transparent);
    b->setPicture(toolFace(b, icon, caption, QIcon::Normal, none));
    b->setSelPicture(toolFace(b, icon, caption, QIcon::Active, lit));
    lit.setAlphaF(0.35);
    b->setDwnPicture(toolFace(b, icon, caption, QIcon::Active, lit));
    b->setDisPicture(toolFace(b, icon, caption, QIcon::Disabled, none));
    return b;
}

// A folder button: the program's own, a picture that shows a border under the pointer.
OrvaneButton *makeFolderButton(QWidget *parent, const char *name, const QString &tip, const QIcon &icon)
{
    auto *b = new OrvaneButton(parent, QLatin1StringView(name));
    b->setCaption(QString());
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    const int side = parent->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, parent);
    b->setPictureSize(OrvaneButton::GivenSize);
    b->setPictureWidth(qint16(side));
    b->setPictureHeight(qint16(side));
    b->setPicture(icon.pixmap(side, side));
    return b;
}

// A tool bar button to make: where it goes, its name, its themed icon and its texts.
template <class Button>
struct ToolEntry
{
    Button *&button;
    const char *name, *theme;
    QIcon fallback; // where the icon theme has none
    QString text, tip;
};

} // namespace

frmMain::frmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent), ctx(context), MSSRCtrl(context.services.newRecorder()),
      MSSRPlayer(context.services.newRecorder())
{
    setObjectName(u"frmMain"_s);
    buildLayout();

    tmrTimeStamp = named(new QTimer(this), "tmrTimeStamp");
    tmrTimeStamp->setInterval(1000);
    tmrAddNote = named(new QTimer(this), "tmrAddNote");
    tmrAddNote->setInterval(20000);
    // A drag moves or resizes the window many times a second: its place is written once
    // it has stood still a moment, and on close.
    tmrSavePosition = named(new QTimer(this), "tmrSavePosition");
    tmrSavePosition->setSingleShot(true);
    tmrSavePosition->setInterval(1500);

    RecordingView &recordingView = *this;
    recording = std::make_unique<RecordingSession>(
        ctx, state, recordingView, *MSSRCtrl, *MSSRPlayer, this,
        ctx.services.recorderOnWindowThread ? RecordingSession::Threading::Window : RecordingSession::Threading::Own);
    review = std::make_unique<CallReview>(
        ctx, CallReview::Controls{this, lvwCalls, txtNote, StatusPanel[2], drvList, dirList, btnHome,
                                  cmdNewFolder, btnDelFolder, cmdFind, cmdEmail, cmdSave});
    review->setParent(this);
    CallList &list = review->list();
    Playback::Links links;
    links.GetCallByKey = [&list](const QString &key) { return list.GetCallByKey(key); };
    links.HasCalls = [&list] { return list.HasCalls(); };
    links.SelectedKey = [&list] { return list.SelectedKey(); };
    links.SuspendDetection = [this] {
        recording->SuspendDetection();
        ShowOverview();
    };
    links.ResumeDetection = [this] {
        recording->ResumeDetection();
        ShowOverview();
    };
    playback = std::make_unique<Playback>(*MSSRPlayer, state, ctx.prompts(), *sldPlayBackPos,
                                          *lblPlaybackPos, std::move(links), this);
    playControls = new PlayControls(ctx, *MSSRPlayer, *sldPlayBackPos, this);
    playControls->addTo(findChild<QToolBar *>(u"toolbar"_s), m_transportEnd, this);
    waitingCalls = new WaitingCalls(ctx, this);
    connect(recording.get(), &RecordingSession::callFiled, this, &frmMain::callFiled);
    // Another PC deleted the call being played: said once, and the player lets it go.
    list.GoneElsewhere = [this](const QString &path) {
        if (state.PlaybackOpen && MSSRPlayer->FileName() == path) {
            playback->StopPlayback();
            ctx.prompts().message(tr("The call being played was deleted on another PC; playback has stopped."),
                                  Prompts::Exclamation, ProductName());
        }
    };
    auto *sending = new CallSending(ctx, list, *MSSRPlayer, state, this, cmdEmail, cmdSave,
                                    [p = playback.get()] { p->StopPlayback(); });
    // Every file job over the calls folder shows in the status bar, with Cancel.
    GuardedConnect(ctx.prompts(), u"frmMain:JobProgress"_s, &list, &CallList::jobStarted, jobProgress, &JobProgress::watch);
    GuardedConnect(ctx.prompts(), u"frmMain:JobProgress"_s, sending, &CallSending::jobStarted, jobProgress,
                   &JobProgress::watch);
    wire();
}

frmMain::~frmMain() = default;

void frmMain::wire()
{
    auto guarded = [this](const char *handler, auto fn) {
        return Guarded(ctx.prompts(), u"frmMain:"_s + QLatin1StringView(handler), std::move(fn));
    };
    connect(tmrTimeStamp, &QTimer::timeout, this, guarded("tmrTimeStamp_Timer", [this] { tmrTimeStamp_Timer(); }));
    GuardedConnect(ctx.prompts(), u"frmMain:Form_Resize"_s, tmrSavePosition, &QTimer::timeout, this, [this] {
        if (!isMinimized())
            SaveTopLeft();
    });
    for (auto [key, name] : {std::pair{Qt::Key_F9, "F9"}, {Qt::Key_F10, "F10"}, {Qt::Key_F11, "F11"}}) {
        auto *sc = named(new QShortcut(QKeySequence(key), this), name);
        connect(sc, &QShortcut::activated, this, guarded("Form_KeyDown", [this, key = key] { Form_KeyDown(key); }));
    }
    connect(cmdQuit, &QToolButton::clicked, this, guarded("cmdQuit_Click", [this] { cmdQuit_Click(); }));
    connect(cmdOptions, &QToolButton::clicked, this, guarded("cmdOptions_Click", [this] { cmdOptions_Click(); }));
    connect(named(new QShortcut(QKeySequence::HelpContents, this), "F1"), &QShortcut::activated, cmdHelp, &QToolButton::click);
    connect(cmdHelp, &QToolButton::clicked, this, guarded("cmdHelp_Click", [this] { DesktopShell::ShowHelp(this); }));
    connect(picLogo, &QToolButton::clicked, this, [this] {
        if (!picLogo->toolTip().isEmpty())
            ctx.services.desktop.open(picLogo->toolTip());
    });

    // Pause and stop go to the recording session, which hands the playback its branch.
    RecordingSession *r = recording.get();
    connect(cmdRecord, &LightButton::Click, r, guarded("cmdRecord_Click", [r] { r->cmdRecord_Click(); }));
    connect(cmdStop, &LightButton::Click, r, guarded("cmdStop_Click", [r] { r->cmdStop_Click(); }));
    connect(cmdPause, &LightButton::Click, r, guarded("cmdPause_Click", [r] { r->cmdPause_Click(); }));

    Playback *p = playback.get();
    CallList &list = review->list();
    connect(&list, &CallList::playCallRequested, p, [this, p](const QString &key) {
        RunGuarded(ctx.prompts(), u"frmMain:PlayCall Method"_s, [p, &key] { p->PlayCall(key); });
    });
    connect(&list, &CallList::playFileRequested, p, [this, p](const QString &path) {
        RunGuarded(ctx.prompts(), u"frmMain:lvwCalls_OLEDragDrop"_s, [p, &path] { p->PlayFile(path); });
    });
    // A call to be deleted is let go of first, and the player shows nothing open.
    list.ReleaseFile = [this, p](const QString &path) {
        if (state.PlaybackOpen && MSSRPlayer->FileName() == path) {
            MSSRPlayer->Stop();
            p->StopPlayback();
        }
    };
    GuardedConnect(ctx.prompts(), u"frmMain:cmdEditNote_Click"_s, cmdEditNote, &QToolButton::clicked, &list, [this, &list] {
        if (list.HasCalls())
            list.EditCallNote(list.SelectedKey()); // no row selected: nothing happens
        lvwCalls->setFocus();
    });
    connect(cmdPlay, &LightButton::Click, p, guarded("cmdPlay_Click", [p] { p->cmdPlay_Click(); }));
    GuardedConnect(ctx.prompts(), u"frmMain:ShowOverview"_s, lvwCalls->selectionModel(),
                   &QItemSelectionModel::currentRowChanged, this, [this] {
                       if (!state.PlaybackOpen)
                           ShowOverview();
                   });
    connect(cmdPBOffsetMinus30, &LightButton::Click, p, guarded("cmdPBOffsetMinus_Click", [p] { p->cmdPBOffsetMinus_Click(30); }));
    connect(cmdPBOffsetMinus10, &LightButton::Click, p, guarded("cmdPBOffsetMinus_Click", [p] { p->cmdPBOffsetMinus_Click(10); }));
    connect(cmdPBOffsetPlus10, &LightButton::Click, p, guarded("cmdPBOffsetPlus_Click", [p] { p->cmdPBOffsetPlus_Click(10); }));
    connect(cmdPBOffsetPlus30, &LightButton::Click, p, guarded("cmdPBOffsetPlus_Click", [p] { p->cmdPBOffsetPlus_Click(30); }));

    connect(waitingCalls, &WaitingCalls::changed, lblWaitingCalls, [this](const QString &text, const QString &details) {
        if (!text.isEmpty() && lblWaitingCalls->isHidden())
            Notify(tr("Calls not filed yet"), text, true);
        lblWaitingCalls->setText(text);
        lblWaitingCalls->setToolTip(details);
        lblWaitingCalls->setVisible(!text.isEmpty());
    });

    // A single click restores as a double click does, the usual thing on these desktops.
    connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if ((r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) && (isMinimized() || isHidden()))
            RestoreFromTray(false);
    });
}

void frmMain::buildLayout()
{
    auto *bar = named(new QToolBar(this), "toolbar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, bar);

    const auto stock = [this](QStyle::StandardPixmap pixmap) { return style()->standardIcon(pixmap); };
    // The style's stock pictures for these mean other things (a tick, a cross): our own.
    const auto own = [this](AppIcons::Tool tool) { return AppIcons::toolIcon(tool, palette().color(QPalette::WindowText)); };
    const ToolEntry<LightButton> transport[] = {
        {cmdRecord, "cmdRecord", "media-record", stock(QStyle::SP_MediaPlay), tr("&Record"), tr("Start recording (F9)")},
        {cmdStop, "cmdStop", "media-playback-stop", stock(QStyle::SP_MediaStop), tr("S&top"), tr("Stop recording or playback (F10)")},
        {cmdPlay, "cmdPlay", "media-playback-start", stock(QStyle::SP_MediaPlay), tr("&Play"), tr("Play the selected call (F11)")},
        {cmdPause, "cmdPause", "media-playback-pause", stock(QStyle::SP_MediaPause), tr("P&ause"), tr("Pause or resume")},
        {cmdPBOffsetMinus30, "cmdPBOffsetMinus30", "media-seek-backward", stock(QStyle::SP_MediaSeekBackward), tr("-30s"), tr("Back 30 seconds")},
        {cmdPBOffsetMinus10, "cmdPBOffsetMinus10", "media-skip-backward", stock(QStyle::SP_MediaSkipBackward), tr("-10s"), tr("Back 10 seconds")},
        {cmdPBOffsetPlus10, "cmdPBOffsetPlus10", "media-skip-forward", stock(QStyle::SP_MediaSkipForward), tr("+10s"), tr("Forward 10 seconds")},
        {cmdPBOffsetPlus30, "cmdPBOffsetPlus30", "media-seek-forward", stock(QStyle::SP_MediaSeekForward), tr("+30s"), tr("Forward 30 seconds")},
    };
    for (const auto &b : transport) {
        const QIcon icon = b.button == cmdRecord ? QIcon::fromTheme(u"media-record"_s, AppIcons::recordIcon())
                                                 : themed(b.theme, b.fallback);
        b.button = makeTransport(bar, b.name, b.text, b.tip, icon);
        bar->addWidget(b.button);
        if (b.button == cmdStop)
            bar->addSeparator();
        else if (b.button == cmdPBOffsetPlus30)
            m_transportEnd = bar->addSeparator();
    }

    const ToolEntry<QToolButton> buttons[] = {
        {cmdFind, "cmdFind", "edit-find", own(AppIcons::Tool::Find), tr("&Find"), tr("Find calls")},
        {cmdEmail, "cmdEmail", "mail-send", own(AppIcons::Tool::Mail), tr("&E-mail"), tr("Send the selected calls by e-mail")},
        {cmdSave, "cmdSave", "document-save-as", own(AppIcons::Tool::Save), tr("Sa&ve"), tr("Save copies of the selected calls")},
        {cmdOptions, "cmdOptions", "preferences-system", own(AppIcons::Tool::Options), tr("&Options"), tr("Recorder options")},
        {cmdHelp, "cmdHelp", "help-contents", own(AppIcons::Tool::Help), tr("&Help"), tr("Show Help pages")},
        {cmdQuit, "cmdQuit", "application-exit", own(AppIcons::Tool::Exit), tr("E&xit"), tr("Exit the call recorder")},
    };
    for (const auto &b : buttons) {
        b.button = makeButton(bar, b.name, b.text, b.tip, themed(b.theme, b.fallback));
        bar->addWidget(b.button);
        if (b.button == cmdSave) {
            auto *spring = new QWidget(bar);
            spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            bar->addWidget(spring);
        }
    }

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 0);

    // Recording indicator, input levels and the play position.
    imgLED = named(new QLabel(central), "imgLED");
    imgLED->setAccessibleName(tr("Recording state")); // its tool tip says which
    imgLED->setFixedSize(18, 18);
    lvlInput = named(new LevelBar(central), "lvlInput", tr("Input level"));
    lblPlaybackPos = named(new QLabel(u"00:00:00"_s, central), "lblPlaybackPos", tr("Play position"));
    lblPlaybackPos->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    sldPlayBackPos = named(new kvtSlider(central), "sldPlayBackPos", tr("Play position"));
    sldPlayBackPos->setAccessibleName(sldPlayBackPos->toolTip());
    sldPlayBackPos->setOrientation(kvtSlider::Horizontal);
    sldPlayBackPos->setSmallChange(5); // seconds an arrow key steps
    sldPlayBackPos->setMinimumHeight(34); // room for the level overview
    picLogo = makeButton(central, "picLogo", QString(), ProductWebAddress(), AppIcons::windowIcon());
    picLogo->setAccessibleName(tr("Visit the Voxmere website"));
    auto *meterRow = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{imgLED, lvlInput, lblPlaybackPos, sldPlayBackPos, picLogo})
        meterRow->addWidget(w, w == sldPlayBackPos ? 2 : w == lvlInput ? 1 : 0);
    meterRow->insertSpacing(2, 12);
    outer->addLayout(meterRow);

    // Folder browser | call list over its note.
    splitter = named(new QSplitter(Qt::Horizontal, central), "splitter");
    auto *folderPane = new QWidget(splitter);
    auto *folderLayout = new QVBoxLayout(folderPane);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    drvList = named(new QComboBox(folderPane), "drvList", tr("Drive"));
    btnHome = makeFolderButton(folderPane, "btnHome", tr("Go to the recorded calls folder"),
                               themed("go-home", style()->standardIcon(QStyle::SP_DirHomeIcon)));
    cmdNewFolder = makeFolderButton(folderPane, "cmdNewFolder", QString(),
                                    themed("folder-new", style()->standardIcon(QStyle::SP_FileDialogNewFolder)));
    btnDelFolder = makeFolderButton(folderPane, "btnDelFolder", QString(),
                                    themed("edit-delete", style()->standardIcon(QStyle::SP_TrashIcon)));
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(drvList, 1);
    for (QWidget *w : {btnHome, cmdNewFolder, btnDelFolder})
        driveRow->addWidget(w);
    dirList = named(new QTreeView(folderPane), "dirList");
    dirList->setHeaderHidden(true);
    dirList->setAccessibleName(tr("Folders"));
    dirList->setContextMenuPolicy(Qt::CustomContextMenu);
    folderLayout->addLayout(driveRow);
    folderLayout->addWidget(dirList, 1);

    auto *listSplitter = named(new QSplitter(Qt::Vertical, splitter), "listSplitter");
    lvwCalls = named(new QTreeView(listSplitter), "lvwCalls");
    lvwCalls->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwCalls->setAlternatingRowColors(true);
    lvwCalls->setAccessibleName(tr("Calls"));
    auto *notePane = new QWidget(listSplitter);
    auto *noteLayout = new QHBoxLayout(notePane);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    txtNote = named(new QPlainTextEdit(notePane), "txtNote", tr("Note of the selected call"));
    txtNote->setReadOnly(true);
    txtNote->setAccessibleName(txtNote->toolTip());
    txtNote->setPlaceholderText(txtNote->toolTip());
    cmdEditNote = makeButton(notePane, "cmdEditNote", tr("Edit &Note"), tr("Edit the note for selected call"),
                             themed("document-edit", style()->standardIcon(QStyle::SP_FileDialogInfoView)));
    noteLayout->addWidget(txtNote, 1);
    noteLayout->addWidget(cmdEditNote, 0, Qt::AlignTop);
    listSplitter->setStretchFactor(0, 4);
    listSplitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    outer->addWidget(splitter, 1);
    setCentralWidget(central);

    const char *panelNames[4] = {"StatusPanel1", "StatusPanel2", "StatusPanel3", "StatusPanel4"};
    const QString panelTips[4] = {tr("Status"), tr("Length of the recording"), tr("Calls listed"), tr("Date and time")};
    for (int i = 0; i < 4; ++i)
        statusBar()->addWidget(StatusPanel[i] = named(new QLabel(this), panelNames[i], panelTips[i]), i == 0 ? 1 : 0);
    // Beside the status; its problems may be long, and never widen the window.
    lblWaitingCalls = named(new QLabel(this), "lblWaitingCalls");
    lblWaitingCalls->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblWaitingCalls->hide();
    statusBar()->insertWidget(1, lblWaitingCalls, 1);
    lblDiskSpace = named(new QLabel(this), "lblDiskSpace");
    lblDiskSpace->hide();
    statusBar()->insertWidget(2, lblDiskSpace);
    jobProgress = new JobProgress(ctx.prompts(), this);
    statusBar()->insertWidget(3, jobProgress);

    trayIcon = named(new QSystemTrayIcon(AppIcons::trayIcon(), this), "trayIcon", ProductName());
    auto *mPopupSys = named(new QMenu(tr("&SysTray"), this), "mPopupSys");
    connect(named(mPopupSys->addAction(tr("&Restore")), "mPopupRestore"), &QAction::triggered, this, [this] { RestoreFromTray(true); });
    connect(named(mPopupSys->addAction(tr("&Exit")), "mPopupExit"), &QAction::triggered, this, &QWidget::close);
    trayIcon->setContextMenu(mPopupSys);

    resize(900, 600);
}

bool frmMain::Form_Load()
{
    try {
        setWindowIcon(AppIcons::icon("AAA"));

        QPoint at;
        if (ctx.settings.GetRegistrySettings(ctx.store, ctx.prompts()))
            at = {Twips::toPixels(ctx.settings.Left, logicalDpiX()), Twips::toPixels(ctx.settings.Top, logicalDpiX())};
        // A position saved on a screen that is gone would put the window out of reach.
        const QScreen *primary = QGuiApplication::primaryScreen();
        m_loadedPos = QGuiApplication::screenAt(at) || !primary ? at : primary->availableGeometry().topLeft();
        move(m_loadedPos);
        // Wide enough for the whole tool bar, whose captions are longer in some languages;
        // on a small screen (or a large scale) the window fits inside it rather than past its edges.
        resize(size().expandedTo(QSize(wholeWidth(findChild<QToolBar *>(u"toolbar"_s)), 0)));
        if (const QScreen *on = QGuiApplication::screenAt(m_loadedPos) ? QGuiApplication::screenAt(m_loadedPos) : primary)
            resize(size().boundedTo(on->availableGeometry().size()));

        setWindowTitle(tr("%1 Call Recorder").arg(ProductName()));
        ctx.TempFolder = SetTempFolder(ctx.store);
        if (ctx.services.findVolumeControls)
            ctx.services.findVolumeControls();
        ctx.CurrentUserName = GetPCAndUserName(ctx.services.userName);
        // Calls an earlier run left unfinished or unmoved are filed now.
        recording->FileLeftoverRecordings();
        UpdateButtons();
        setElapsedPanel(u"00:00:00"_s);
        SetStatusText(tr("Ready"));
        tmrTimeStamp->start();
        ShowClock();
        tmrTimeStamp_Timer();

        if (ctx.settings.AutoRecord) {
            const qint16 result = recording->CloseRecorder().value_or(RecorderCode::NoDevice);
            state.DetectionRunning = false;
            if (result != 0) {
                // Before the box: detection ticks under it and must not arm again.
                ctx.settings.AutoRecord = false;
                ctx.prompts().msgBox(
                    tr("Failed to reset Voice Detection - please run in manual mode. Err: ")
                        + QString::number(result),
                    Prompts::OkOnly, Prompts::NoIcon, QString());
                recording->ArmDetection();
                m_loaded = true; // commands from the command line are taken from here on
                emit loaded();
                return true;
            }
            state.IsRecording = false;
            state.DetectionSuspended = false;
        }
        // Detection listens from here on, also inside the boxes the rest of the load may
        // show, but never before the temporary folder and the user are known.
        recording->ArmDetection();

        // A first start files and views calls in the default folder: make sure it is there.
        const QString defaultPath = ProgramSettings::DefaultCallPath();
        if (ctx.settings.CallPath == defaultPath || ctx.settings.SearchPath == defaultPath)
            FileAccess::MakeFolders(defaultPath);

        review->SetDirPath(ctx.settings.SearchPath);
        review->SetUpCallColumns();
        ShowRecordingState(state.RecordActive);
        ApplyOptions();
        review->DisplayCalls();

        trayIcon->setVisible(QSystemTrayIcon::isSystemTrayAvailable());
        if (ctx.settings.Minimised)
            setWindowState(windowState() | Qt::WindowMinimized);
        m_loaded = true; // commands from the command line are taken from here on
        emit loaded();
        return true;
    } catch (const std::exception &e) {
        ctx.prompts().message(tr("A fatal error occured during frmMain:Form_Load. The error was: %1: %2")
                                  .arg(RuntimeError::numberOf(e)).arg(RuntimeError::descriptionOf(e)),
                              Prompts::Critical, tr("%1 Error").arg(ProductName()));
        return false;
    }
}

void frmMain::SetStatusText(const QString &text)
{
    StatusPanel[0]->setText(text + (ctx.settings.AutoRecord ? tr(" - Automatic Recording")
                                                            : tr(" - Manual Recording")));
}

void frmMain::ShowRecordingState(bool recording)
{
    imgLED->setPixmap(AppIcons::led(recording, imgLED->width()));
    imgLED->setToolTip(recording ? tr("Recording") : tr("Ready"));
    SetStatusText(recording ? tr("Recording") : tr("Ready"));
}

void frmMain::UpdateButtons()
{
    const ProgramSettings &s = ctx.settings;
    cmdEditNote->setEnabled(s.CanPlay);
    for (LightButton *b : {cmdPlay, cmdPause, cmdPBOffsetMinus30, cmdPBOffsetMinus10,
                           cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        b->setEnabled(s.CanPlay);
    cmdStop->setEnabled(!s.AutoRecord || s.CanPlay);
    cmdRecord->setEnabled(!(state.PlaybackOpen || s.AutoRecord));
    cmdEmail->setEnabled(s.CanPlay);
    cmdSave->setEnabled(s.CanPlay);
}

void frmMain::SetPlaybackControls(bool enabled)
{
    for (LightButton *b : {cmdPlay, cmdPause, cmdPBOffsetMinus30, cmdPBOffsetMinus10,
                           cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        b->setEnabled(enabled);
    cmdRecord->setEnabled(!ctx.settings.AutoRecord);
    cmdStop->setEnabled(cmdRecord->isEnabled());
}

void frmMain::setElapsedPanel(const QString &text)
{
    StatusPanel[1]->setText(text);
}

// --- MainView: recording ---

void frmMain::SetLevels(float levelA, float levelB)
{
    lvlInput->setLevels(levelA, levelB);
}

bool frmMain::IsMinimised() const
{
    return isMinimized();
}

void frmMain::Minimise()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void frmMain::EnableStopButton(bool enabled)
{
    cmdStop->setEnabled(enabled);
}

void frmMain::EnableQuitAndOptions()
{
    cmdQuit->setEnabled(true);
    cmdOptions->setEnabled(true);
}

void frmMain::ShowOverview()
{
    if (state.PlaybackOpen) {
        playControls->ShowOverview(MSSRPlayer->FileName(), sldPlayBackPos->Max());
        return;
    }
    CallList &list = review->list();
    // Only for a user who may play calls: the overview is read from the call itself.
    const QString key = list.HasCalls() && ctx.settings.CanPlay ? list.SelectedKey() : QString();
    const colCalls::Record call = key.isEmpty() ? nullptr : list.GetCallByKey(key);
    playControls->ShowOverview(call ? call->RecordingLocation() : QString(), 0);
}

void frmMain::StopPlayback()
{
    playback->StopPlayback();
}

QString frmMain::AskCallNote()
{
    state.NoteFormOpen = true;
    const QString note = frmAddNote::Ask(this, *tmrAddNote, NoteForm, &ctx.store);
    state.NoteFormOpen = !NoteForm.isNull();
    return note;
}

void frmMain::CloseCallNotePrompt()
{
    if (NoteForm && tmrAddNote->isActive())
        NoteForm->CloseAddNoteForm();
}

colCalls &frmMain::CallsCollection()
{
    return review->list().calls();
}

void frmMain::AddFiledCall(const std::shared_ptr<clsCall> &call, std::function<std::optional<QString>()> whereFiled)
{
    review->list().AddFiledRow(call, std::move(whereFiled));
    review->list().SizeCallColumns();
    // Told to whoever is not looking at the window.
    if (!isActiveWindow())
        Notify(tr("Call recorded"), tr("%1 call filed as %2")
                                       .arg(modUtilityFunctions::FormatTime(call->CallDuration(), 1),
                                            QFileInfo(call->RecordingLocation()).fileName()));
}

void frmMain::tmrTimeStamp_Timer()
{
    // In the tray the clock is not seen: not redrawn (and laid out) every second all day.
    if (isVisible() && !isMinimized())
        ShowClock();
    UpdateTrayState();

    // Said before a call runs out of room, and notified once each time room runs short.
    const qint64 minutes = RecordingRoomMinutes(ctx.TempFolder, ctx.settings.GsmFlag ? 1625 : 16000);
    const bool low = minutes >= 0 && minutes < 60;
    const QString text = tr("Room for only %1 minute%2 of recording").arg(minutes).arg(minutes == 1 ? QString() : tr("s", "plural of minute"));
    if (low)
        lblDiskSpace->setText(text);
    if (low != lblDiskSpace->isHidden())
        return;
    lblDiskSpace->setVisible(low);
    lblDiskSpace->setToolTip(ctx.TempFolder);
    if (low)
        Notify(ProductName(), tr("%1 in %2").arg(text, ctx.TempFolder), true);
}

void frmMain::RemoteCommand(const QString &command, const QString &argument, const SingleInstance::Answer &answer)
{
    try {
        if (const auto reply = Command(command, argument, answer))
            answer(*reply);
    } catch (const std::exception &e) {
        answer({false, u"Error: "_s + QString::number(RuntimeError::numberOf(e)) + u" - "_s + RuntimeError::descriptionOf(e)});
    }
}

std::optional<SingleInstance::Reply> frmMain::Command(const QString &command, const QString &argument,
                                                      const SingleInstance::Answer &answer)
{
    using Reply = SingleInstance::Reply;
    if (!m_loaded)
        return Reply{false, u"Voxmere is still starting"_s};
    const auto status = [this]() -> QString {
        if (state.IsRecording)
            return u"recording %1"_s.arg(qint64(recording->ElapsedSeconds));
        if (recording->WaitingForInput())
            return u"input lost"_s;
        return ctx.settings.AutoRecord && state.DetectionRunning ? u"listening"_s : u"idle"_s;
    };
    const QString verb = command == u"toggle"_s ? (state.IsRecording ? u"stop"_s : u"record"_s) : command;
    if (verb == u"status"_s)
        return Reply{true, status()};
    if (verb == u"record"_s) {
        if (state.IsRecording)
            return Reply{true, status()};
        if (!cmdRecord->isEnabled())
            return Reply{false, state.PlaybackOpen ? tr("a call is being played: stop it first")
                                              : tr("calls start by themselves in automatic mode")};
        recording->cmdRecord_Click();
        return Reply{true, u"recording"_s};
    }
    if (verb == u"stop"_s) {
        if (!state.IsRecording)
            return Reply{false, tr("no call is being recorded")};
        recording->cmdStop_Click();
        return Reply{true, u"stopped"_s};
    }
    if (verb == u"note"_s) {
        if (state.IsRecording && recording->CurrentCall) {
            recording->CurrentCall->setCallNote(argument);
            return Reply{true, tr("the note goes with the call being recorded")};
        }
        if (recording->LastFiledCall.isEmpty())
            return Reply{false, tr("no call has been filed since Voxmere started")};
        recording->WriteLastFiledNote(argument, [this, argument, answer](const QString &path, const QString &error) {
            if (!error.isEmpty())
                return answer({false, error});
            review->list().ShowCallNote(path, argument);
            answer({true, tr("the note of the last call filed is written")});
        });
        return std::nullopt;
    }
    return Reply{false, tr("unknown command %1").arg(command)};
}

void frmMain::ShowClock()
{
    //: The status bar's clock, as a QDateTime format.
    StatusPanel[3]->setText(QLocale().toString(ctx.services.clock.now(), tr("dddd, MMM d yyyy - HH:mm:ss")));
}

void frmMain::UpdateTrayState()
{
    using AppIcons::TrayState;
    TrayState now = TrayState::Idle;
    QString text = tr("Ready");
    if (state.IsRecording) {
        now = TrayState::Recording;
        text = tr("Recording %1").arg(StatusPanel[1]->text());
    } else if (recording->WaitingForInput()) {
        now = TrayState::InputLost;
        text = tr("Recording input lost");
    } else if (ctx.settings.AutoRecord && state.DetectionRunning) {
        now = TrayState::Listening;
        text = tr("Listening for calls");
    }
    // Once a change only: each new tool tip goes over the session bus to the tray.
    if (const QString tip = ProductName() + u" - "_s + text; tip != trayIcon->toolTip())
        trayIcon->setToolTip(tip);
    if (int(now) == m_trayState)
        return;
    // Calls are missed while the input is away only when they start by themselves.
    const bool automatic = ctx.settings.AutoRecord;
    if (automatic && now == TrayState::InputLost)
        Notify(tr("Recording input lost"), tr("Calls are recorded again as soon as the input returns."), true);
    else if (automatic && m_trayState == int(TrayState::InputLost))
        Notify(tr("Recording input is back"), text);
    m_trayState = int(now);
    trayIcon->setIcon(AppIcons::trayIcon(now));
}

void frmMain::Notify(const QString &title, const QString &text, bool warning)
{
    if (trayIcon->isVisible())
        trayIcon->showMessage(title, text, warning ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
}

void frmMain::Form_KeyDown(int key)
{
    // The handlers run whether or not their button is enabled, as a key press always has.
    switch (key) {
    case Qt::Key_F9:
        if (!ctx.settings.AutoRecord) {
            emit cmdRecord->Click();
            if (isMinimized())
                QApplication::alert(this);
        }
        break;
    case Qt::Key_F10:
        emit cmdStop->Click();
        break;
    case Qt::Key_F11:
        // A user who may not play calls plays none, though the key runs the handler.
        if (!ctx.settings.AutoRecord && ctx.settings.CanPlay)
            emit cmdPlay->Click();
        break;
    default:
        break;
    }
}

void frmMain::cmdQuit_Click()
{
    if (ctx.prompts().msgBox(tr("Are you sure you want to exit %1?").arg(ProductName()),
                             Prompts::YesNo, Prompts::Exclamation, ProductName())
        != Prompts::Yes)
        return;
    if ((state.IsRecording || state.RecordActive)
        && ctx.prompts().msgBox(
               tr("There is a call which has not been cleared or saved - exiting now will end this recording and file the call.  Press OK to exit, Cancel to return to application"),
               Prompts::OkCancel, Prompts::Critical, tr("%1 - warning call will be ended").arg(ProductName()))
            == Prompts::Cancel)
        return;
    // QuitApplication: the quit button always ends the program, "SD" or not.
    SaveFormPosition();
    m_quitting = true;
    close();
    QApplication::quit();
}

void frmMain::cmdOptions_Click()
{
    if (state.IsRecording) {
        if (ctx.prompts().msgBox(tr("Entering options now will terminate the recording! The call so far is filed. Press OK to go to Options, Cancel to carry on recording"),
                                 Prompts::OkCancel, Prompts::Exclamation, tr("Warning"))
            != Prompts::Ok)
            return;
        // The call ends here and is filed, as the stop button would: the user was told it
        // ends, not that it is thrown away, and the options may reconfigure the recorder.
        recording->StopAndFile();
    }
    recording->SuspendDetection();
    state.DetectionRunning = false;
    if (dlgPW::Granted(ctx, this)) {
        // The recorder waits meanwhile: the options reconfigure it from here.
        if (RecorderComponent *recorder = recording->LendRecorder()) {
            frmOptions options(ctx, *recorder, this);
            options.exec();
        } else {
            ctx.prompts().message(tr("The recorder is still busy filing a call. Please try again in a moment."),
                                  Prompts::Exclamation, ProductName());
        }
    }
    if (!state.PlaybackOpen)
        recording->ResumeDetection();
    ApplyOptions();
    SetStatusText(tr("Ready"));
    // The options may have closed the recorder or changed its format.
    recording->ArmDetection();
}

void frmMain::ApplyOptions()
{
    recording->ApplySettings();
    // Where a voice starts a call.
    lvlInput->setMarker(ctx.settings.AutoRecord ? std::optional<int>(ctx.settings.Sensitivity) : std::nullopt);
    UpdateButtons();
}

void frmMain::SaveFormPosition()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect g = frameGeometry();
    ctx.store.SaveFormValue(u"Height"_s, QString::number(Twips::fromPixels(g.height(), logicalDpiX())));
    ctx.store.SaveFormValue(u"Width"_s, QString::number(Twips::fromPixels(g.width(), logicalDpiX())));
    ctx.store.SaveFormValue(u"Left"_s, QString::number(Twips::fromPixels(g.x(), logicalDpiX())));
    ctx.store.SaveFormValue(u"Top"_s, QString::number(Twips::fromPixels(g.y(), logicalDpiX())));
}

void frmMain::ShowAndRaise()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void frmMain::RestoreFromTray(bool toLoadedPosition)
{
    // An open note prompt comes first: the window stays in the tray until it is answered.
    if (NoteForm) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        NoteForm->raise();
        NoteForm->activateWindow();
        return;
    }
    ShowAndRaise();
    if (toLoadedPosition)
        move(m_loadedPos);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        tmrSavePosition->start();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    recording->setLevelsWanted(!isMinimized());
    ShowClock();
}

void frmMain::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    // Hidden in the tray or minimised the level bar is not drawn: the capture thread need not say.
    recording->setLevelsWanted(false);
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    if (!isMinimized())
        tmrSavePosition->start();
}

void frmMain::SaveTopLeft(const QList<std::pair<QString, QVariant>> &more)
{
    tmrSavePosition->stop();
    // One rewrite of each store for all of them.
    QList<std::pair<QString, QVariant>> values = more;
    if (!isMinimized())
        values << std::pair{u"Top"_s, QVariant(Twips::fromPixels(y(), logicalDpiX()))}
               << std::pair{u"Left"_s, QVariant(Twips::fromPixels(x(), logicalDpiX()))};
    if (!values.isEmpty())
        ctx.store.SaveSettings(values);
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    ctx.settings.Minimised = isMinimized();
    recording->setLevelsWanted(isVisible() && !isMinimized());
    if (isVisible() && !isMinimized())
        ShowClock();
    if (!isMinimized())
        tmrSavePosition->start();
    else if (trayIcon->isVisible()) {
        // Only the tray icon remains; without a tray the window stays in the task bar.
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_quitting && ctx.settings.SD) {
        event->ignore(); // only the quit button may end the program
        return;
    }
    review->SaveWindowState();
    trayIcon->hide();
    SaveTopLeft({{u"Minimised"_s, modUtilityFunctions::BoolToLong(ctx.settings.Minimised)}});
    event->accept();
    QApplication::quit();
}

void frmMain::EndSession()
{
    RunGuarded(ctx.prompts(), u"frmMain:EndSession"_s, [this] { recording->FileBeforeExit(); });
}

void frmMain::Terminate()
{
    EndSession();
    m_quitting = true;
    close();
}

bool frmMain::hasTrayIcon() const
{
    return trayIcon->isVisible();
}
