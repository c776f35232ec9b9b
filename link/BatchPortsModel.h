#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>

#include <vector>

#include "link/ProductionLine.h"

// The ports of the Batch Programming window, one row a port: port, cable, state, progress of
// the radio in hand (its read, write and read-back as one 0-100 %), unit, elapsed time of that
// radio and the result of the last one.
class BatchPortsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        PortColumn,
        CableColumn,
        StateColumn,
        ProgressColumn,
        UnitColumn,
        ElapsedColumn,
        ResultColumn,
        ColumnCount
    };
    enum class State
    {
        Idle,
        Waiting,
        Reading,
        Writing,
        Verifying,
        Next,
        Stopped
    };

    explicit BatchPortsModel(QObject *parent = nullptr);

    void setLanguage(int language);
    // Adds a port not listed yet; false when it is.
    bool addPort(const ProductionLine::Port &port);
    void removePort(int row);
    std::vector<ProductionLine::Port> ports() const;

    void setState(int row, State state);
    void setProgress(int row, CommOperation operation, bool readingBack, int percent);
    void unitBegun(int row, int unit);
    void unitEnded(int row, const UnitRecord &record);
    // The rows whose last radio failed.
    std::vector<int> failedRows() const;
    // The elapsed times of the radios in hand move on.
    void tick();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        ProductionLine::Port port;
        State state{State::Idle};
        int progress{0};
        int unit{0};
        QElapsedTimer clock; // runs while a radio is in hand
        qint64 elapsedMs{-1};
        QString result;
        bool failed{false};
    };
    void changed(int row, Column first, Column last);

    std::vector<Row> m_rows;
    int m_language;
};
