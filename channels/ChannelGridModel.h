#pragma once

#include <QAbstractTableModel>

#include "channels/ChannelGrid.h"

class AppContext;

// The channel grid of one group over the working channel lists: column 0 the row name, column 1
// the receive frequency. Model row r is grid row r + 1. The model reads and writes the document
// directly; a typed frequency goes through the frequency rules, and what they ask to show is
// left to the window (lastCommit).
class ChannelGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ChannelGridModel(AppContext &context, QObject *parent = nullptr);

    void setGroup(int kind, int group);
    int kind() const { return m_kind; }
    int group() const { return m_group; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Column 1 of an HF or HAM channel row: the text is committed as a typed frequency; false when
    // it is refused.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Whether a frequency may be typed into the cell.
    bool isFrequencyEditable(const QModelIndex &index) const;
    // Commits a typed frequency to grid row `row` (from 1), with the out-of-range warning asked
    // for; the rows are redrawn.
    ChannelGrid::FrequencyCommit commitFrequency(int row, const QString &text, bool warn);
    const ChannelGrid::FrequencyCommit &lastCommit() const { return m_lastCommit; }

    // Redraws grid rows first..last (from 1), or every row and the headers.
    void redrawRows(int first, int last);
    void redrawAll();

private:
    // The help of a column, its tooltip and what a screen reader adds to a cell's text.
    QVariant columnHelp(int column) const;
    QString spokenCell(const QModelIndex &index) const;

    AppContext &m_context;
    int m_kind = 1;
    int m_group = 1;
    ChannelGrid::FrequencyCommit m_lastCommit;
};
