#include "base/modErrors.h"

#include "base/Product.h"
#include "base/Prompts.h"

#include <QCoreApplication>

#include <cstring>

using namespace Qt::StringLiterals;

namespace modErrors {

void ReportError(Prompts &prompts, int number, const QString &description, int /*code*/,
                 const QString &context, const QString & /*extra*/)
{
    prompts.message(QCoreApplication::translate("modErrors", "Error occurred: %1, %2, %3")
                        .arg(QString::number(number), description, context),
                    Prompts::Exclamation, ProductName());
}

QString LongErrorText(const QString &context, int number, const QString &description)
{
    return QCoreApplication::translate("modErrors", "An error occured in %1. The error was: %2: %3")
        .arg(context, QString::number(number), description);
}

QString RecorderErrorText(int code, const QString &fileName)
{
    QString text;
    switch (code) {
    case 1: text = QCoreApplication::translate("modErrors", "No device capable or recording with current settings"); break;
    case 2: text = QCoreApplication::translate("modErrors", "Cant open specified file: %1").arg(fileName); break;
    case 3: text = QCoreApplication::translate("modErrors", "Cant write to designated file - may be out of disk space"); break;
    case 4: text = QCoreApplication::translate("modErrors", "Specified file is not an MS Wave file"); break;
    case 5: text = QCoreApplication::translate("modErrors", "Unsupported Audio format"); break;
    case 6: text = QCoreApplication::translate("modErrors", "Operating system resources running out - please close some other apps"); break;
    case 7: text = QCoreApplication::translate("modErrors", "Recorder is in the wrong state for this operation"); break;
    case 8: text = QCoreApplication::translate("modErrors", "Error during recording"); break;
    case 9: text = QCoreApplication::translate("modErrors", "Error starting recording - please check no other devices are recording the same input"); break;
    case 10: text = QCoreApplication::translate("modErrors", "Error starting playback"); break;
    case 11: text = QCoreApplication::translate("modErrors", "Error during playback"); break;
    case 12: text = QCoreApplication::translate("modErrors", "Couldnt display mixer"); break;
    case 13: text = QCoreApplication::translate("modErrors", "Recording time limit reached"); break;
    default: break;
    }
    return QCoreApplication::translate("modErrors", "Recording Control Error: %1").arg(text);
}

void ShowRecorderError(Prompts &prompts, int code, const QString &fileName)
{
    prompts.message(RecorderErrorText(code, fileName), Prompts::Exclamation, QCoreApplication::translate("modErrors", "Error"));
}

QString SystemErrorText(int number)
{
    return QString::number(number) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(number));
}

} // namespace modErrors
