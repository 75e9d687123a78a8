#include "app/PlayControls.h"

#include "base/AppContext.h"
#include "base/Guarded.h"
#include "controls/kvtSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QShortcut>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

const QString Group = u"Player"_s;
constexpr int OverviewBins = 1000;

int speedIndex(int percent)
{
    for (int i = 0; i < int(std::size(PlayControls::Speeds)); ++i)
        if (qRound(PlayControls::Speeds[i] * 100) == percent)
            return i;
    return 1; // 1x
}

} // namespace

PlayControls::PlayControls(AppContext &context, RecorderComponent &recorder, kvtSlider &positionSlider, QWidget *parent)
    : QObject(parent), ctx(context), player(recorder), slider(positionSlider)
{
    cboPlaySpeed = new QComboBox(parent);
    cboPlaySpeed->setObjectName(u"cboPlaySpeed"_s);
    for (double s : Speeds)
        cboPlaySpeed->addItem(QString::number(s) + u'x');
    cboPlaySpeed->setToolTip(tr("Play speed, the voice's pitch kept ([ slower, ] faster)"));
    cboPlaySpeed->setAccessibleName(tr("Play speed"));
    chkSkipSilence = new QCheckBox(tr("Skip silence"), parent);
    chkSkipSilence->setObjectName(u"chkSkipSilence"_s);
    chkSkipSilence->setToolTip(tr("Play every pause longer than a second as a short gap"));
    chkSkipSilence->setAccessibleName(chkSkipSilence->text());
    chkLevelCalls = new QCheckBox(tr("Same loudness"), parent);
    chkLevelCalls->setObjectName(u"chkLevelCalls"_s);
    chkLevelCalls->setToolTip(tr("Play every call at one loudness (%1 LUFS), quiet lines and loud alike")
                                  .arg(PlayOptions::LevelTarget));
    chkLevelCalls->setAccessibleName(chkLevelCalls->text());

    SettingsStore &store = ctx.store;
    cboPlaySpeed->setCurrentIndex(speedIndex(store.ReadUserValue(Group, u"PlaySpeed"_s).toInt()));
    chkSkipSilence->setChecked(store.ReadUserValue(Group, u"SkipSilence"_s) == u"1"_s);
    chkLevelCalls->setChecked(store.ReadUserValue(Group, u"LevelCalls"_s) == u"1"_s);
    player.setPlayOptions(options());

    Prompts &prompts = ctx.prompts();
    GuardedConnect(prompts, u"frmMain:cboPlaySpeed_Click"_s, cboPlaySpeed, &QComboBox::currentIndexChanged, this,
                   &PlayControls::apply);
    GuardedConnect(prompts, u"frmMain:chkSkipSilence_Click"_s, chkSkipSilence, &QCheckBox::toggled, this,
                   &PlayControls::apply);
    GuardedConnect(prompts, u"frmMain:chkLevelCalls_Click"_s, chkLevelCalls, &QCheckBox::toggled, this,
                   &PlayControls::apply);
    GuardedConnect(prompts, u"frmMain:ShowOverview"_s, &m_watcher, &QFutureWatcherBase::finished, this,
                   &PlayControls::drawOverview);
}

void PlayControls::addTo(QToolBar *bar, QAction *before, QWidget *window)
{
    for (QWidget *w : std::initializer_list<QWidget *>{cboPlaySpeed, chkSkipSilence, chkLevelCalls})
        bar->insertWidget(before, w);
    bar->insertSeparator(before);
    for (auto [key, direction] : {std::pair{Qt::Key_BracketLeft, -1}, {Qt::Key_BracketRight, 1}}) {
        auto *sc = new QShortcut(QKeySequence(key), window);
        sc->setObjectName(direction < 0 ? u"Slower"_s : u"Faster"_s);
        GuardedConnect(ctx.prompts(), u"frmMain:Form_KeyDown"_s, sc, &QShortcut::activated, this,
                       [this, d = direction] { stepSpeed(d); });
    }
}

PlayOptions PlayControls::options() const
{
    PlayOptions o;
    o.speed = Speeds[qBound(0, cboPlaySpeed->currentIndex(), int(std::size(Speeds)) - 1)];
    o.skipSilence = chkSkipSilence->isChecked();
    o.levelCalls = chkLevelCalls->isChecked();
    return o;
}

void PlayControls::stepSpeed(int direction)
{
    cboPlaySpeed->setCurrentIndex(qBound(0, cboPlaySpeed->currentIndex() + direction, cboPlaySpeed->count() - 1));
}

void PlayControls::apply()
{
    const PlayOptions o = options();
    player.setPlayOptions(o);
    SettingsStore &store = ctx.store;
    store.SaveUserValue(Group, u"PlaySpeed"_s, QString::number(qRound(o.speed * 100)));
    store.SaveUserValue(Group, u"SkipSilence"_s, o.skipSilence ? u"1"_s : u"0"_s);
    store.SaveUserValue(Group, u"LevelCalls"_s, o.levelCalls ? u"1"_s : u"0"_s);
}

void PlayControls::ShowOverview(const QString &path, double spanSeconds)
{
    m_span = spanSeconds;
    if (path != m_path)
        slider.setOverview({});
    m_path = path;
    m_watcher.future().cancel(); // a call passed over on the way does not hold the next up
    // Asked again each time: the cache answers at once unless the file has changed.
    m_watcher.setFuture(path.isEmpty() ? QFuture<CallProfiles::Profile>() : CallProfiles::of(path));
}

void PlayControls::drawOverview()
{
    const QFuture<CallProfiles::Profile> f = m_watcher.future();
    const CallProfiles::Profile p = f.isValid() && f.resultCount() > 0 ? f.result() : nullptr;
    slider.setOverview(p ? p->overview(OverviewBins, m_span > 0 ? m_span : p->seconds()) : QList<float>());
}
