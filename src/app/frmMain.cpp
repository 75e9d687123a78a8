#include "app/frmMain.h"

#include "base/AppContext.h"
#include "app/AppIcons.h"
#include "base/Clock.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"
#include "base/Twips.h"
#include "callstore/UserIdentity.h"
#include "base/modUtilityFunctions.h"
#include "controls/kvtSlider.h"
#include "base/RecorderComponent.h"
#include "recording/RecordingSession.h"
#include "recording/TempFolder.h"
#include "callstore/ui/CallList.h"
#include "review/ui/CallReview.h"
#include "review/ui/Playback.h"
#include "recording/VoiceDetection.h"
#include "recording/ui/frmAddNote.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
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

namespace {

QToolButton *makeButton(QWidget *parent, const char *name, const QString &text,
                        const QString &tip, const QIcon &icon)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1StringView(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setIcon(icon);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QIcon themed(const char *name, QStyle::StandardPixmap fallback, const QWidget *w)
{
    return QIcon::fromTheme(QLatin1StringView(name), w->style()->standardIcon(fallback));
}

} // namespace

frmMain::frmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent), ctx(context), MSSRCtrl(context.services.newRecorder()),
      MSSRPlayer(context.services.newRecorder())
{
    setObjectName(u"frmMain"_s);
    buildLayout();

    tmrTimeStamp = new QTimer(this);
    tmrTimeStamp->setObjectName(u"tmrTimeStamp"_s);
    tmrTimeStamp->setInterval(1000);
    connect(tmrTimeStamp, &QTimer::timeout, this, &frmMain::tmrTimeStamp_Timer);

    for (auto [key, name] : {std::pair{Qt::Key_F9, "F9"}, {Qt::Key_F10, "F10"}, {Qt::Key_F11, "F11"}}) {
        auto *sc = new QShortcut(QKeySequence(key), this);
        sc->setObjectName(QLatin1StringView(name));
        connect(sc, &QShortcut::activated, this, [this, key = key] { Form_KeyDown(key); });
    }
    connect(cmdQuit, &QToolButton::clicked, this, &frmMain::cmdQuit_Click);

    // Recording: F9, F10 and F11 click these buttons too.
    tmrAddNote = new QTimer(this);
    tmrAddNote->setObjectName(u"tmrAddNote"_s);
    tmrAddNote->setInterval(20000);
    recording = std::make_unique<RecordingSession>(ctx, state, *this, *MSSRCtrl, *MSSRPlayer);
    detection = std::make_unique<VoiceDetection>(ctx, state, *this, *MSSRCtrl, *recording);
    connect(cmdRecord, &QToolButton::clicked, recording.get(), &RecordingSession::cmdRecord_Click);
    connect(cmdStop, &QToolButton::clicked, recording.get(), &RecordingSession::cmdStop_Click);
    connect(cmdPause, &QToolButton::clicked, recording.get(), &RecordingSession::cmdPause_Click);

    // Review: the call list, folder browser and Find Calls.
    review = std::make_unique<CallReview>(
        ctx, CallReview::Controls{this, lvwCalls, txtNote, StatusPanel[2], drvList, dirList, btnHome,
                                  cmdNewFolder, btnDelFolder, cmdFind, cmdEmail, cmdSave});

    CallList &list = review->list();
    Playback::Links links;
    links.GetCallByKey = [&list](const QString &key) { return list.GetCallByKey(key); };
    links.HasCalls = [&list] { return list.HasCalls(); };
    links.SelectedKey = [&list] { return list.SelectedKey(); };
    links.SuspendDetection = [this] { detection->SuspendDetection(); };
    links.ResumeDetection = [this] { detection->ResumeDetection(); };
    playback = std::make_unique<Playback>(*MSSRPlayer, state, ctx.prompts(), *sldPlayBackPos,
                                          *lblPlaybackPos, std::move(links));
    connect(&list, &CallList::playCallRequested, playback.get(), &Playback::PlayCall);
    connect(&list, &CallList::playFileRequested, playback.get(), &Playback::PlayFile);
    connect(cmdPlay, &QToolButton::clicked, playback.get(), &Playback::cmdPlay_Click);
    // Pause and stop go to the recording session, which hands the playback its branch.
    for (QToolButton *b : {cmdPBOffsetMinus30, cmdPBOffsetMinus10})
        connect(b, &QToolButton::clicked, playback.get(),
                [this, index = b->property("index").toInt()] { playback->cmdPBOffsetMinus_Click(index); });
    for (QToolButton *b : {cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        connect(b, &QToolButton::clicked, playback.get(),
                [this, index = b->property("index").toInt()] { playback->cmdPBOffsetPlus_Click(index); });
}

frmMain::~frmMain() = default;

void frmMain::buildLayout()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(u"toolbar"_s);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, bar);

    cmdRecord = makeButton(this, "cmdRecord", tr("&Record"), tr("Start recording (F9)"),
                           QIcon::fromTheme(u"media-record"_s, AppIcons::recordIcon()));
    cmdStop = makeButton(this, "cmdStop", tr("S&top"), tr("Stop recording or playback (F10)"),
                         themed("media-playback-stop", QStyle::SP_MediaStop, this));
    cmdPlay = makeButton(this, "cmdPlay", tr("&Play"), tr("Play the selected call (F11)"),
                         themed("media-playback-start", QStyle::SP_MediaPlay, this));
    cmdPause = makeButton(this, "cmdPause", tr("P&ause"), tr("Pause or resume"),
                          themed("media-playback-pause", QStyle::SP_MediaPause, this));
    cmdPBOffsetMinus30 = makeButton(this, "cmdPBOffsetMinus30", tr("-30s"), tr("Back 30 seconds"),
                                    themed("media-seek-backward", QStyle::SP_MediaSeekBackward, this));
    cmdPBOffsetMinus10 = makeButton(this, "cmdPBOffsetMinus10", tr("-10s"), tr("Back 10 seconds"),
                                    themed("media-skip-backward", QStyle::SP_MediaSkipBackward, this));
    cmdPBOffsetPlus10 = makeButton(this, "cmdPBOffsetPlus10", tr("+10s"), tr("Forward 10 seconds"),
                                   themed("media-skip-forward", QStyle::SP_MediaSkipForward, this));
    cmdPBOffsetPlus30 = makeButton(this, "cmdPBOffsetPlus30", tr("+30s"), tr("Forward 30 seconds"),
                                   themed("media-seek-forward", QStyle::SP_MediaSeekForward, this));
    cmdPBOffsetMinus30->setProperty("index", 30);
    cmdPBOffsetMinus10->setProperty("index", 10);
    cmdPBOffsetPlus10->setProperty("index", 10);
    cmdPBOffsetPlus30->setProperty("index", 30);

    cmdFind = makeButton(this, "cmdFind", tr("&Find"), tr("Find calls"),
                         themed("edit-find", QStyle::SP_FileDialogContentsView, this));
    cmdEmail = makeButton(this, "cmdEmail", tr("&E-mail"), tr("Send the selected calls by e-mail"),
                          themed("mail-send", QStyle::SP_DialogApplyButton, this));
    cmdSave = makeButton(this, "cmdSave", tr("Sa&ve"), tr("Save copies of the selected calls"),
                         themed("document-save-as", QStyle::SP_DialogSaveButton, this));
    cmdOptions = makeButton(this, "cmdOptions", tr("&Options"), tr("Recorder options"),
                            themed("preferences-system", QStyle::SP_FileDialogDetailedView, this));
    cmdHelp = makeButton(this, "cmdHelp", tr("&Help"), u"Show Help pages"_s,
                         themed("help-contents", QStyle::SP_DialogHelpButton, this));
    cmdQuit = makeButton(this, "cmdQuit", u"E&xit"_s, tr("Exit the call recorder"),
                         themed("application-exit", QStyle::SP_DialogCloseButton, this));

    for (QToolButton *b : {cmdRecord, cmdStop})
        bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton *b : {cmdPlay, cmdPause, cmdPBOffsetMinus30, cmdPBOffsetMinus10,
                           cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton *b : {cmdFind, cmdEmail, cmdSave})
        bar->addWidget(b);
    auto *spring = new QWidget(bar);
    spring->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spring);
    for (QToolButton *b : {cmdOptions, cmdHelp, cmdQuit})
        bar->addWidget(b);

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 0);

    // Recording indicator, input levels and the play position.
    auto *meterRow = new QHBoxLayout;
    imgLED = new QLabel(central);
    imgLED->setObjectName(u"imgLED"_s);
    imgLED->setFixedSize(18, 18);
    lblVol1 = new QLabel(central);
    lblVol1->setObjectName(u"lblVol1"_s);
    lblVol1->setToolTip(tr("Input peak level (dB)"));
    lblVol2 = new QLabel(central);
    lblVol2->setObjectName(u"lblVol2"_s);
    lblVol2->setToolTip(tr("Input average level (dB)"));
    for (QLabel *l : {lblVol1, lblVol2}) {
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(u"-100.0 dB"_s));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lblPlaybackPos = new QLabel(u"00:00:00"_s, central);
    lblPlaybackPos->setObjectName(u"lblPlaybackPos"_s);
    QFont mono = lblPlaybackPos->font();
    mono.setFamily(u"monospace"_s);
    mono.setStyleHint(QFont::TypeWriter);
    lblPlaybackPos->setFont(mono);
    sldPlayBackPos = new kvtSlider(central);
    sldPlayBackPos->setOrientation(kvtSlider::Horizontal);
    sldPlayBackPos->setObjectName(u"sldPlayBackPos"_s);
    sldPlayBackPos->setToolTip(tr("Play position"));
    picLogo = new QLabel(central);
    picLogo->setObjectName(u"picLogo"_s);
    picLogo->setPixmap(AppIcons::windowIcon().pixmap(24, 24));
    picLogo->setToolTip(u"https://voxmere.example.org/"_s);
    meterRow->addWidget(imgLED);
    meterRow->addWidget(lblVol1);
    meterRow->addWidget(lblVol2);
    meterRow->addSpacing(12);
    meterRow->addWidget(lblPlaybackPos);
    meterRow->addWidget(sldPlayBackPos, 1);
    meterRow->addWidget(picLogo);
    outer->addLayout(meterRow);

    // Folder browser | call list over its note.
    splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(u"splitter"_s);
    auto *folderPane = new QWidget(splitter);
    auto *folderLayout = new QVBoxLayout(folderPane);
    folderLayout->setContentsMargins(0, 0, 0, 0);
    auto *driveRow = new QHBoxLayout;
    drvList = new QComboBox(folderPane);
    drvList->setObjectName(u"drvList"_s);
    drvList->setToolTip(tr("Drive"));
    btnHome = new QToolButton(folderPane);
    btnHome->setObjectName(u"btnHome"_s);
    btnHome->setIcon(themed("go-home", QStyle::SP_DirHomeIcon, this));
    btnHome->setToolTip(tr("Go to the recorded calls folder"));
    btnHome->setAutoRaise(true);
    cmdNewFolder = new QToolButton(folderPane);
    cmdNewFolder->setObjectName(u"cmdNewFolder"_s);
    cmdNewFolder->setIcon(themed("folder-new", QStyle::SP_FileDialogNewFolder, this));
    cmdNewFolder->setAutoRaise(true);
    btnDelFolder = new QToolButton(folderPane);
    btnDelFolder->setObjectName(u"btnDelFolder"_s);
    btnDelFolder->setIcon(themed("edit-delete", QStyle::SP_TrashIcon, this));
    btnDelFolder->setAutoRaise(true);
    driveRow->addWidget(drvList, 1);
    driveRow->addWidget(btnHome);
    driveRow->addWidget(cmdNewFolder);
    driveRow->addWidget(btnDelFolder);
    dirList = new QTreeView(folderPane);
    dirList->setObjectName(u"dirList"_s);
    dirList->setHeaderHidden(true);
    dirList->setContextMenuPolicy(Qt::CustomContextMenu);
    folderLayout->addLayout(driveRow);
    folderLayout->addWidget(dirList, 1);

    auto *listSplitter = new QSplitter(Qt::Vertical, splitter);
    listSplitter->setObjectName(u"listSplitter"_s);
    lvwCalls = new QTreeView(listSplitter);
    lvwCalls->setObjectName(u"lvwCalls"_s);
    lvwCalls->setRootIsDecorated(false);
    lvwCalls->setUniformRowHeights(true);
    lvwCalls->setAlternatingRowColors(true);
    lvwCalls->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwCalls->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwCalls->setContextMenuPolicy(Qt::CustomContextMenu);
    lvwCalls->setAcceptDrops(true);
    auto *notePane = new QWidget(listSplitter);
    auto *noteLayout = new QHBoxLayout(notePane);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    txtNote = new QPlainTextEdit(notePane);
    txtNote->setObjectName(u"txtNote"_s);
    txtNote->setReadOnly(true);
    txtNote->setPlaceholderText(tr("Note of the selected call"));
    cmdEditNote = new QToolButton(notePane);
    cmdEditNote->setObjectName(u"cmdEditNote"_s);
    cmdEditNote->setIcon(themed("document-edit", QStyle::SP_FileDialogInfoView, this));
    cmdEditNote->setText(tr("Edit &Note"));
    cmdEditNote->setToolTip(tr("Edit the note of the selected call"));
    cmdEditNote->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    cmdEditNote->setAutoRaise(true);
    noteLayout->addWidget(txtNote, 1);
    noteLayout->addWidget(cmdEditNote, 0, Qt::AlignTop);
    listSplitter->setStretchFactor(0, 4);
    listSplitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    outer->addWidget(splitter, 1);
    setCentralWidget(central);

    const char *panelNames[4] = {"StatusPanel1", "StatusPanel2", "StatusPanel3", "StatusPanel4"};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(this);
        StatusPanel[i]->setObjectName(QLatin1StringView(panelNames[i]));
        statusBar()->addWidget(StatusPanel[i], i == 0 ? 1 : 0);
    }
    StatusPanel[1]->setToolTip(tr("Length of the recording"));
    StatusPanel[2]->setToolTip(tr("Calls listed"));
    statusBar()->setSizeGripEnabled(true);

    trayIcon = new QSystemTrayIcon(AppIcons::trayIcon(), this);
    trayIcon->setObjectName(u"trayIcon"_s);
    trayIcon->setToolTip(ProductName());
    auto *mPopupSys = new QMenu(u"&SysTray"_s, this);
    mPopupSys->setObjectName(u"mPopupSys"_s);
    QAction *restore = mPopupSys->addAction(u"&Restore"_s);
    restore->setObjectName(u"mPopupRestore"_s);
    QAction *exitAction = mPopupSys->addAction(u"&Exit"_s);
    exitAction->setObjectName(u"mPopupExit"_s);
    connect(restore, &QAction::triggered, this, &frmMain::ShowAndRaise);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    trayIcon->setContextMenu(mPopupSys);
    connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if ((r == QSystemTrayIcon::DoubleClick || r == QSystemTrayIcon::Trigger) && !isVisible())
            ShowAndRaise();
    });

    resize(900, 600);
}

bool frmMain::Form_Load()
{
    try {
        setWindowIcon(AppIcons::icon("AAA"));

        if (ctx.settings.GetRegistrySettings(ctx.store, ctx.prompts()))
            move(Twips::toPixels(ctx.settings.Left, logicalDpiX()), Twips::toPixels(ctx.settings.Top, logicalDpiX()));
        else
            move(0, 0);

        if (ctx.settings.GsmFlag) {
            MSSRCtrl->setRecordOption(100);
            MSSRCtrl->setRecordFormat(RecorderComponent::GsmFormat());
        }

        setWindowTitle(ProductName() + u" Call Recorder"_s);
        ctx.TempFolder = SetTempFolder(ctx.store);
        ctx.CurrentUserName = GetPCAndUserName(ctx.services.userName);
        // Calls an earlier run left unfinished or unmoved are filed now.
        recording->FileLeftoverRecordings();
        // Detection ticks from here on, also inside the boxes the rest of the load may
        // show, but never before the temporary folder and the user are known.
        detection->Detection.start();
        UpdateButtons();
        setElapsedPanel(u"00:00:00"_s);
        SetStatusText(u"Ready"_s);
        tmrTimeStamp->start();
        tmrTimeStamp_Timer();

        if (ctx.settings.AutoRecord) {
            const qint16 result = MSSRCtrl->Close();
            MSSRCtrl->State();
            state.DetectionRunning = false;
            if (result != 0) {
                ctx.prompts().msgBox(
                    u"Failed to reset Voice Detection - please run in manual mode. Err: "_s
                        + QString::number(result),
                    Prompts::OkOnly, Prompts::NoIcon, QString());
                ctx.settings.AutoRecord = false;
                emit loaded();
                return true;
            }
            state.IsRecording = false;
            state.DetectionSuspended = false;
        }

        CurrentFolder = ctx.settings.CallPath;
        // A first start files and views calls in the default folder: make sure it is there.
        const QString defaultPath = ProgramSettings::DefaultCallPath();
        if (ctx.settings.CallPath == defaultPath || ctx.settings.SearchPath == defaultPath)
            QDir().mkpath(defaultPath);

        review->SetDirPath(ctx.settings.SearchPath);
        review->SetUpCallColumns();
        ShowRecordingState(state.RecordActive);
        review->DisplayCalls();

        trayIcon->setVisible(QSystemTrayIcon::isSystemTrayAvailable());
        if (ctx.settings.Minimised)
            setWindowState(windowState() | Qt::WindowMinimized);
        emit loaded();
        return true;
    } catch (const std::exception &e) {
        ctx.prompts().message(u"A fatal error occured during frmMain:Form_Load. The error was: "_s
                                  + QString::number(RuntimeError::numberOf(e)) + u": "_s
                                  + RuntimeError::descriptionOf(e),
                              Prompts::Critical, ProductName() + u" Error"_s);
        return false;
    }
}

qsizetype frmMain::FindCalls(const clsSearch &criteria)
{
    return review->FindCalls(criteria);
}

bool frmMain::HasCalls() const
{
    return review->list().HasCalls();
}

std::shared_ptr<clsCall> frmMain::GetCallByKey(const QString &key) const
{
    return review->list().GetCallByKey(key);
}

QString frmMain::GetCallLocation(qsizetype position) const
{
    return review->list().GetCallLocation(position);
}

QString frmMain::GetCallUser(qsizetype position) const
{
    return review->list().GetCallUser(position);
}

void frmMain::SetStatusText(const QString &text)
{
    StatusPanel[0]->setText(text + (ctx.settings.AutoRecord ? u" - Automatic Recording"_s
                                                            : u" - Manual Recording"_s));
}

void frmMain::ShowRecordingState(bool recording)
{
    imgLED->setPixmap(AppIcons::led(recording, imgLED->width()));
    imgLED->setToolTip(recording ? u"Recording"_s : u"Ready"_s);
    SetStatusText(recording ? u"Recording"_s : u"Ready"_s);
}

void frmMain::UpdateButtons()
{
    const ProgramSettings &s = ctx.settings;
    for (QToolButton *b : {cmdPlay, cmdPause, cmdPBOffsetMinus30, cmdPBOffsetMinus10,
                           cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        b->setEnabled(s.CanPlay);
    cmdStop->setEnabled(!s.AutoRecord || s.CanPlay);
    cmdRecord->setEnabled(!(state.PlaybackOpen || s.AutoRecord));
    cmdEmail->setEnabled(s.CanPlay);
    cmdSave->setEnabled(s.CanPlay);
}

void frmMain::SetPlaybackControls(bool enabled)
{
    for (QToolButton *b : {cmdPlay, cmdPause, cmdPBOffsetMinus30, cmdPBOffsetMinus10,
                           cmdPBOffsetPlus10, cmdPBOffsetPlus30})
        b->setEnabled(enabled);
    cmdRecord->setEnabled(!ctx.settings.AutoRecord);
    cmdStop->setEnabled(cmdRecord->isEnabled());
}

void frmMain::setElapsedPanel(const QString &text)
{
    StatusPanel[1]->setText(text);
}

QString frmMain::elapsedPanel() const
{
    return StatusPanel[1]->text();
}

// --- MainView: recording ---

void frmMain::SetLevels(const QString &levelA, const QString &levelB)
{
    lblVol1->setText(levelA);
    lblVol2->setText(levelB);
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

void frmMain::StopPlayback()
{
    playback->StopPlayback();
}

QString frmMain::AskCallNote()
{
    state.NoteFormOpen = true;
    const QString note = frmAddNote::Ask(this, *tmrAddNote, NoteForm);
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

void frmMain::AddFiledCall(const std::shared_ptr<clsCall> &)
{
    review->list().AddSingleRow(1);
    review->list().SizeCallColumns();
}

void frmMain::tmrTimeStamp_Timer()
{
    const QDateTime now = ctx.services.clock.now();
    StatusPanel[3]->setText(QLocale::system().toString(now, u"dddd, MMM d yyyy - HH:mm:ss"_s));
    // Whole seconds, rounded half to even as the time display always has.
    const auto seconds = qint32(std::nearbyint(MSSRCtrl->Position()));
    setElapsedPanel(modUtilityFunctions::FormatTime(seconds, 1));
    ElapsedText = elapsedPanel();
}

void frmMain::Form_KeyDown(int key)
{
    // The handlers run whether or not their button is enabled, as a key press always has.
    switch (key) {
    case Qt::Key_F9:
        if (!ctx.settings.AutoRecord) {
            emit cmdRecord->clicked(false);
            if (isMinimized())
                QApplication::alert(this);
        }
        break;
    case Qt::Key_F10:
        emit cmdStop->clicked(false);
        break;
    case Qt::Key_F11:
        if (!ctx.settings.AutoRecord)
            emit cmdPlay->clicked(false);
        break;
    default:
        break;
    }
}

void frmMain::cmdQuit_Click()
{
    if (ctx.prompts().msgBox(u"Are you sure you want to exit "_s + ProductName() + u'?',
                             Prompts::YesNo, Prompts::Exclamation, ProductName())
        != Prompts::Yes)
        return;
    if (elapsedPanel() != u"00:00:00"_s
        && ctx.prompts().msgBox(
               u"There is a call which has not been cleared or saved - exiting now will cause you to lose this recording.  Press OK to exit, Cancel to return to application"_s,
               Prompts::OkCancel, Prompts::Critical, ProductName() + u" - warning call will be lost"_s)
            == Prompts::Cancel)
        return;
    // QuitApplication: the quit button always ends the program, "SD" or not.
    SaveFormPosition();
    m_quitting = true;
    close();
    QApplication::quit();
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

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    ctx.settings.Minimised = isMinimized();
    if (!isMinimized()) {
        ctx.store.SaveLongSetting(u"Top"_s, Twips::fromPixels(y(), logicalDpiX()));
        ctx.store.SaveLongSetting(u"Left"_s, Twips::fromPixels(x(), logicalDpiX()));
    } else if (trayIcon->isVisible()) {
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
    ctx.store.SaveLongSetting(u"Minimised"_s, modUtilityFunctions::BoolToLong(ctx.settings.Minimised));
    trayIcon->hide();
    if (!isMinimized()) {
        ctx.store.SaveLongSetting(u"Top"_s, Twips::fromPixels(y(), logicalDpiX()));
        ctx.store.SaveLongSetting(u"Left"_s, Twips::fromPixels(x(), logicalDpiX()));
    }
    event->accept();
    QApplication::quit();
}
