#include "recording/ui/CalibrationWizard.h"

#include "base/AppContext.h"
#include "base/RecorderComponent.h"
#include "recording/ui/dlgCalMsg.h"
#include "recording/ui/dlgCalibrate.h"

using namespace Qt::StringLiterals;

namespace CalibrationWizard {

std::optional<qint16> Run(AppContext &ctx, RecorderComponent &recorder, QWidget *owner)
{
    auto show = [&](int page, bool *skip = nullptr, bool *mic = nullptr, bool *adv = nullptr) {
        dlgCalMsg msg(page, ctx.prompts(), owner);
        msg.exec();
        if (skip)
            *skip = msg.Skip();
        if (mic)
            *mic = msg.MicVisible(), *adv = msg.AdvVisible();
        return msg.Result;
    };
    for (;;) {
        bool skip = false;
        if (show(1, &skip) != u"Next"_s)
            return std::nullopt;
        recorder.Close();
        recorder.ShowMixer(1);
        if (skip)
            break;
        bool mic = false, adv = false;
        const QString answer = show(2, nullptr, &mic, &adv);
        if (answer == u"Prev"_s)
            continue;
        if (answer != u"Next"_s)
            return std::nullopt;
        if (!mic)
            show(3);
        if (!adv)
            show(4);
        show(5);
        break;
    }
    dlgCalibrate calibrate(ctx, owner);
    calibrate.exec();
    if (!calibrate.Cancelled && calibrate.MeasuredMaximum <= -2)
        return calibrate.MeasuredMaximum;
    return std::nullopt;
}

} // namespace CalibrationWizard
