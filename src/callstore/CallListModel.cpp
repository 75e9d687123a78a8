#include "callstore/CallListModel.h"

#include "base/modUtilityFunctions.h"
#include "callstore/colCalls.h"

#include <QLocale>

using namespace Qt::StringLiterals;

// A cell shows at most this much of a note; the note box shows it whole.
static constexpr qsizetype NoteCellChars = 1000;

CallListModel::CallListModel(QObject *parent) : QAbstractTableModel(parent) {}

void CallListModel::setCalls(colCalls *calls)
{
    beginResetModel();
    m_calls = calls;
    m_rows = calls ? int(calls->Count()) : 0;
    endResetModel();
}

void CallListModel::appendRows()
{
    const int count = m_calls ? int(m_calls->Count()) : 0;
    if (count <= m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, count - 1);
    m_rows = count;
    endInsertRows();
}

void CallListModel::callInserted(qsizetype position)
{
    beginInsertRows(QModelIndex(), int(position - 1), int(position - 1));
    ++m_rows;
    endInsertRows();
}

void CallListModel::callRemoved(qsizetype position)
{
    beginRemoveRows(QModelIndex(), int(position - 1), int(position - 1));
    --m_rows;
    endRemoveRows();
}

void CallListModel::callChanged(qsizetype position)
{
    emit dataChanged(index(int(position - 1), 0), index(int(position - 1), ColumnCount - 1));
}

int CallListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CallListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString CallListModel::NoteCell(const QString &note)
{
    QString cell = note.left(NoteCellChars);
    return cell.replace(u"\r\n"_s, u" <cr> "_s);
}

QVariant CallListModel::data(const QModelIndex &index, int role) const
{
    if (!m_calls || !index.isValid() || index.row() >= m_rows)
        return {};
    const clsCall &call = *m_calls->Item(index.row() + 1);
    if (role == KeyRole)
        return colCalls::DecoratedKey(QString::number(call.iCall()));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case User: return call.LoginName();
    //: The list's date of a call, as a QDate format.
    case CallDate: return QLocale().toString(call.CallDate(), tr("dd-MMM-yyyy"));
    //: The list's time of a call, as a QTime format.
    case CallTime: return QLocale().toString(call.CallTime(), tr("HH:mm:ss"));
    case Duration: return modUtilityFunctions::FormatTime(call.CallDuration(), 1);
    case Note: return NoteCell(call.CallNote());
    default: return {};
    }
}

QVariant CallListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const headings[ColumnCount] = {QT_TR_NOOP("User"), QT_TR_NOOP("Call Date"), QT_TR_NOOP("Call Time"),
                                                      QT_TR_NOOP("Duration"), QT_TR_NOOP("Note")};
    return section >= 0 && section < ColumnCount ? tr(headings[section]) : QVariant();
}
