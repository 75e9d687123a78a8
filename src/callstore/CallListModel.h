#pragma once

#include <QAbstractTableModel>

class colCalls;

// The call list's rows: row n is position n + 1 of the calls collection, in the
// collection's order. The collection changes first; the model is then told, so that
// a search appends rows folder by folder without rebuilding the list.
class CallListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { User, CallDate, CallTime, Duration, Note, ColumnCount };
    static constexpr int KeyRole = Qt::UserRole; // "#n#", the row's key in the collection

    explicit CallListModel(QObject *parent = nullptr);

    // Shows this collection (nullptr: none) from scratch: AddCallsToGrid.
    void setCalls(colCalls *calls);
    colCalls *calls() const { return m_calls; }

    // The collection grew at its end to its current count.
    void appendRows();
    // One record was inserted at, removed from or changed at this position (from 1).
    void callInserted(qsizetype position);
    void callRemoved(qsizetype position);
    void callChanged(qsizetype position);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The Note cell: one line, each CR LF shown as " <cr> ".
    static QString NoteCell(const QString &note);

private:
    colCalls *m_calls = nullptr;
    int m_rows = 0;
};
