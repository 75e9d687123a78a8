#pragma once

#include <QString>

class Prompts;

// The shared error boxes.
namespace modErrors {

// "Error occurred: number, description, context" with an exclamation icon. The code
// and the extra text are accepted for the callers' sake and not shown.
void ReportError(Prompts &prompts, int number, const QString &description, int code,
                 const QString &context, const QString &extra);

// The long style: "An error occured in <context>. The error was: <number>: <description>".
QString LongErrorText(const QString &context, int number, const QString &description);

// The recorder component's message for a result code.
QString RecorderErrorText(int code, const QString &fileName);
void ShowRecorderError(Prompts &prompts, int code, const QString &fileName);

// A system error as the program tells it: "2: No such file or directory".
QString SystemErrorText(int number);

} // namespace modErrors
