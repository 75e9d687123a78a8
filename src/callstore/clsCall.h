#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <memory>

class colCalls;

// One listed call. Plain properties, no checks.
class clsCall
{
public:
    clsCall();
    ~clsCall();

    void setCallerID(const QString &v) { m_callerID = v; }
    QString CallerID() const { return m_callerID; }
    void setCallDate(const QDate &v) { m_callDate = v; }
    QDate CallDate() const { return m_callDate; }
    // A nested collection, created empty when first read.
    ::colCalls &colCalls();
    void setRecordingLocation(const QString &v) { m_folder.clear(), m_recordingLocation = v; }
    // The same as folder + name, where folder (ending in "/") is one text shared by every
    // call of a listed folder: 100,000 listed calls would hold it 100,000 times.
    void setRecordingLocation(const QString &folder, const QString &name) { m_folder = folder, m_recordingLocation = name; }
    QString RecordingLocation() const { return m_folder.isEmpty() ? m_recordingLocation : m_folder + m_recordingLocation; }
    void setCallNote(const QString &v) { m_callNote = v; }
    QString CallNote() const { return m_callNote; }
    // The note file held more than the list reads (CallFiles::NoteReadCap): CallNote is
    // its beginning only and must not be written back as the whole note.
    void setNoteTruncated(bool v) { m_noteTruncated = v; }
    bool NoteTruncated() const { return m_noteTruncated; }
    void setCallDuration(qint32 v) { m_callDuration = v; }
    qint32 CallDuration() const { return m_callDuration; }
    void setCallTime(const QTime &v) { m_callTime = v; }
    QTime CallTime() const { return m_callTime; }
    void setLoginName(const QString &v) { m_loginName = v; }
    QString LoginName() const { return m_loginName; }
    void setiCall(qint32 v) { m_iCall = v; }
    qint32 iCall() const { return m_iCall; }

private:
    QString m_callerID;
    QDate m_callDate;
    std::unique_ptr<::colCalls> m_colCalls;
    QString m_folder;
    QString m_recordingLocation; // the whole path, or the name in m_folder
    QString m_callNote;
    bool m_noteTruncated = false;
    qint32 m_callDuration = 0;
    QTime m_callTime;
    QString m_loginName;
    qint32 m_iCall = 0;
};
