#include "base/modErrors.h"

#include "base/Product.h"
#include "base/Prompts.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace modErrors {

void ReportError(Prompts &prompts, int number, const QString &description, int /*code*/,
                 const QString &context, const QString & /*extra*/)
{
    prompts.message(u"Error occurred: "_s + QString::number(number) + u", "_s + description
                        + u", "_s + context,
                    Prompts::Exclamation, ProductName());
}

QString LongErrorText(const QString &context, int number, const QString &description)
{
    return u"An error occured in "_s + context + u". The error was: "_s + QString::number(number)
        + u": "_s + description;
}

QString RecorderErrorText(int code, const QString &fileName)
{
    QString text;
    switch (code) {
    case 1: text = u"No device capable or recording with current settings"_s; break;
    case 2: text = u"Cant open specified file: "_s + fileName; break;
    case 3: text = u"Cant write to designated file - may be out of disk space"_s; break;
    case 4: text = u"Specified file is not an MS Wave file"_s; break;
    case 5: text = u"Unsupported Audio format"_s; break;
    case 6: text = u"Operating system resources running out - please close some other apps"_s; break;
    case 7: text = u"Recorder is in the wrong state for this operation"_s; break;
    case 8: text = u"Error during recording"_s; break;
    case 9: text = u"Error starting recording - please check no other devices are recording the same input"_s; break;
    case 10: text = u"Error starting playback"_s; break;
    case 11: text = u"Error during playback"_s; break;
    case 12: text = u"Couldnt display mixer"_s; break;
    case 13: text = u"Recording time limit reached"_s; break;
    default: break;
    }
    return u"Recording Control Error: "_s + text;
}

void ShowRecorderError(Prompts &prompts, int code, const QString &fileName)
{
    prompts.message(RecorderErrorText(code, fileName), Prompts::Exclamation, u"Error"_s);
}

QString SystemErrorText(int number)
{
    return QString::number(number) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(number));
}

} // namespace modErrors
