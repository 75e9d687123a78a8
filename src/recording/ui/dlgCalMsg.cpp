#include "recording/ui/dlgCalMsg.h"

#include "base/Prompts.h"
#include "desktop/WidgetParts.h"
#include "controls/XPButton.h"
#include "recording/ui/CalPicture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct Page
{
    // Translated where shown, not here: the table is built once, perhaps before a translator is.
    const char *title;
    const char *text;
    CalPicture::Kind picture;
    const char *pictureText;
};

// The mixer that opens here is pavucontrol ("Volume Control") at its "Input Devices" tab;
// the microphone boost, where a card has one, is only in alsamixer's capture view.
const Page &page(int n)
{
    static const Page pages[] = {
        {nullptr,
         QT_TRANSLATE_NOOP("dlgCalMsg", "Click 'Next' to display your sound-card's recording level controls.\n\n"
         "They open in the Volume Control window, at its 'Input Devices' tab."),
         CalPicture::InputDevicesTab, QT_TRANSLATE_NOOP("dlgCalMsg", "The Volume Control window at its Input Devices tab")},
        {nullptr,
         QT_TRANSLATE_NOOP("dlgCalMsg", "On the screen that just appeared (the Volume Control, at its 'Input Devices' tab), you should "
         "see a volume slider for each input like the image on the right - make sure that you can see one "
         "for the 'Microphone' (the sound-card input the phone line is plugged into; its 'Port' says which).  "
         "If it is visible then click the tick button beside its name ('Set as fallback') so that Voxmere "
         "records from it.\n\n"
         "Also check whether there is an 'Advanced' button: here the microphone boost is in the sound "
         "card's own mixer - in a terminal type alsamixer and press F4; answer 'Yes' when you then see "
         "its capture controls."),
         CalPicture::InputSlider, QT_TRANSLATE_NOOP("dlgCalMsg", "An input device with its volume slider and its Set as fallback tick")},
        {QT_TRANSLATE_NOOP("dlgCalMsg", "Show Microphone Volume Control"),
         QT_TRANSLATE_NOOP("dlgCalMsg", "On the 'Input Devices' tab, choose 'All Input Devices' in the 'Show:' list at the bottom - "
         "you should then see a screen like this, with a volume slider for each input.\n\n"
         "If the microphone is still missing, open the 'Configuration' tab and choose a profile with an "
         "input for your sound card (such as 'Analog Stereo Duplex')."),
         CalPicture::ShowAllInputs, QT_TRANSLATE_NOOP("dlgCalMsg", "The Show list set to All Input Devices")},
        {QT_TRANSLATE_NOOP("dlgCalMsg", "Show Advanced Controls"),
         QT_TRANSLATE_NOOP("dlgCalMsg", "The sound card's advanced controls are in alsamixer: open a terminal and type alsamixer (it "
         "comes with the package alsa-utils), press F6 to choose your sound card and then F4 to show its "
         "capture controls (some cards have no boost control - dont worry if this is the case)."),
         CalPicture::AlsamixerStart, QT_TRANSLATE_NOOP("dlgCalMsg", "alsamixer in a terminal, with the keys F6 and F4")},
        {QT_TRANSLATE_NOOP("dlgCalMsg", "20dB Boost"),
         QT_TRANSLATE_NOOP("dlgCalMsg", "Among the capture controls of alsamixer (F4), find the control marked 'Mic Boost' (or "
         "'Internal Mic Boost', or similar) like the one shown on the right.  Select it with the Left and "
         "Right keys and raise it one step with the Up key (10 or 20dB on most cards).  Press Esc to "
         "close alsamixer again."),
         CalPicture::MicBoost, QT_TRANSLATE_NOOP("dlgCalMsg", "alsamixer's capture controls with Mic Boost raised")},
    };
    return pages[n - 1];
}

} // namespace

dlgCalMsg::dlgCalMsg(int n, Prompts &p, QWidget *owner) : QDialog(owner), prompts(p)
{
    const Page &content = page(n);
    setObjectName(u"dlgCalMsg"_s + QString::number(n));
    // A page without a title of its own is still the calibration's.
    setWindowTitle(content.title ? tr(content.title) : tr("Calibrate Voxmere"));

    auto *text = new QLabel(tr(content.text), this);
    text->setObjectName(u"lblText"_s);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setMinimumWidth(fontMetrics().averageCharWidth() * 46);
    auto *left = new QVBoxLayout;
    left->addWidget(text);

    cmdNext = WidgetParts::button(this, "cmdNext", tr("Next"));
    WidgetParts::setDefault(this, cmdNext);
    auto *buttons = new QHBoxLayout;

    if (n == 1) {
        chkSkip = new QCheckBox(tr("Skip help screens"), this);
        chkSkip->setObjectName(u"chkSkip"_s);
        buttons->addWidget(chkSkip);
    } else if (n == 2) {
        auto *questions = new QGridLayout;
        const struct {
            QCheckBox **pair;
            const char *name;
            QString question;
        } rows[] = {{chkMic, "chkMic", tr("Can you see the Microphone Volume control?")},
                    {chkAdv, "chkAdv", tr("Can you see an Advanced button?")}};
        int row = 0;
        for (const auto &r : rows) {
            auto *group = new QButtonGroup(this);
            questions->addWidget(new QLabel(r.question, this), row, 0);
            for (int i = 0; i < 2; ++i) {
                r.pair[i] = new QCheckBox(i == 0 ? tr("Yes") : tr("No"), this);
                r.pair[i]->setObjectName(QLatin1StringView(r.name) + QString::number(i));
                r.pair[i]->setAccessibleName(r.question + u' ' + r.pair[i]->text());
                group->addButton(r.pair[i]);
                questions->addWidget(r.pair[i], row, i + 1);
            }
            ++row;
        }
        questions->setColumnStretch(0, 1);
        left->addSpacing(fontMetrics().height() / 2);
        left->addLayout(questions);
        cmdPrevious = WidgetParts::button(this, "cmdPrevious", tr("Previous"));
        connect(cmdPrevious, &XPButton::Click, this, [this] {
            Result = u"Prev"_s;
            accept();
        });
    }
    left->addStretch();
    buttons->addStretch();
    if (cmdPrevious)
        buttons->addWidget(cmdPrevious);
    buttons->addWidget(cmdNext);
    connect(cmdNext, &XPButton::Click, this, &dlgCalMsg::cmdNext_Click);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addWidget(new CalPicture(content.picture, tr(content.pictureText), this), 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void dlgCalMsg::cmdNext_Click()
{
    if (chkMic[0] && !((chkMic[0]->isChecked() || chkMic[1]->isChecked())
                       && (chkAdv[0]->isChecked() || chkAdv[1]->isChecked()))) {
        prompts.msgBox(tr("Please select 'Yes' or 'No' options"), Prompts::OkOnly, Prompts::NoIcon, QString());
        return;
    }
    Result = u"Next"_s;
    accept();
}

bool dlgCalMsg::Skip() const
{
    return chkSkip && chkSkip->isChecked();
}

bool dlgCalMsg::MicVisible() const
{
    return chkMic[0] && chkMic[0]->isChecked();
}

bool dlgCalMsg::AdvVisible() const
{
    return chkAdv[0] && chkAdv[0]->isChecked();
}
