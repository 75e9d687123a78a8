#pragma once

#include "audio/CallProfile.h"
#include "base/RecorderComponent.h"

#include <QFutureWatcher>
#include <QObject>

struct AppContext;
class QAction;
class QCheckBox;
class QComboBox;
class QToolBar;
class QWidget;
class kvtSlider;

// How calls are played for review, beside the playback buttons: the speed (the pitch
// kept), pauses skipped, every call at one loudness, each remembered in the user's
// settings (group "Player"); and the level overview along the position slider.
class PlayControls : public QObject
{
    Q_OBJECT
public:
    static constexpr double Speeds[] = {0.75, 1.0, 1.25, 1.5, 2.0};

    PlayControls(AppContext &ctx, RecorderComponent &player, kvtSlider &slider, QWidget *parent);

    // Put on the bar before `before`; [ and ] on `window` step the speed.
    void addTo(QToolBar *bar, QAction *before, QWidget *window);
    PlayOptions options() const;
    // One step slower (-1) or faster (+1).
    void stepSpeed(int direction);
    // The overview of the call at `path`, measured on a worker, drawn over `spanSeconds`
    // of the slider (0: the call's own length). An empty path clears it.
    void ShowOverview(const QString &path, double spanSeconds);

    QComboBox *cboPlaySpeed;
    QCheckBox *chkSkipSilence, *chkLevelCalls;

private:
    void apply();
    void drawOverview();

    AppContext &ctx;
    RecorderComponent &player;
    kvtSlider &slider;
    QFutureWatcher<CallProfiles::Profile> m_watcher;
    QString m_path;
    double m_span = 0;
};
