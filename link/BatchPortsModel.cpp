#include "link/BatchPortsModel.h"

#include "lang/QtText.h"
#include "link/BatchWindowTexts.h"

using namespace BatchWindowTexts;

BatchPortsModel::BatchPortsModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_language(English)
{}

void BatchPortsModel::setLanguage(int language)
{
    m_language = language;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_rows.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

bool BatchPortsModel::addPort(const ProductionLine::Port &port)
{
    for (const Row &row : m_rows)
        if (row.port.name == port.name)
            return false;
    beginInsertRows({}, rowCount(), rowCount());
    m_rows.push_back(Row{port, State::Idle, 0, 0, {}, -1, {}, false});
    endInsertRows();
    return true;
}

void BatchPortsModel::removePort(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

std::vector<ProductionLine::Port> BatchPortsModel::ports() const
{
    std::vector<ProductionLine::Port> ports;
    for (const Row &row : m_rows)
        ports.push_back(row.port);
    return ports;
}

void BatchPortsModel::changed(int row, Column first, Column last)
{
    Q_EMIT dataChanged(index(row, first), index(row, last));
}

void BatchPortsModel::setState(int row, State state)
{
    if (row < 0 || row >= rowCount())
        return;
    m_rows[std::size_t(row)].state = state;
    changed(row, StateColumn, StateColumn);
}

void BatchPortsModel::setProgress(int row, CommOperation operation, bool readingBack, int percent)
{
    if (row < 0 || row >= rowCount())
        return;
    Row &r = m_rows[std::size_t(row)];
    // The read, the write and the read-back are a third of the radio each.
    const int stage = readingBack ? 2 : operation == CommOperation::Write ? 1 : 0;
    r.state = stage == 0 ? State::Reading : stage == 1 ? State::Writing : State::Verifying;
    r.progress = (stage * 100 + percent) / 3;
    changed(row, StateColumn, ProgressColumn);
}

void BatchPortsModel::unitBegun(int row, int unit)
{
    if (row < 0 || row >= rowCount())
        return;
    Row &r = m_rows[std::size_t(row)];
    r.unit = unit;
    r.progress = 0;
    r.clock.start();
    r.elapsedMs = 0;
    changed(row, StateColumn, ResultColumn);
}

void BatchPortsModel::unitEnded(int row, const UnitRecord &record)
{
    if (row < 0 || row >= rowCount())
        return;
    Row &r = m_rows[std::size_t(row)];
    if (r.clock.isValid())
        r.elapsedMs = r.clock.elapsed();
    r.clock.invalidate();
    r.failed = record.result == "failed";
    if (record.result == "ok")
        r.progress = 100;
    r.state = State::Next;
    r.result = qText(record.result) + QStringLiteral(": ") + qText(record.message);
    changed(row, StateColumn, ResultColumn);
}

std::vector<int> BatchPortsModel::failedRows() const
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].failed)
            rows.push_back(int(i));
    return rows;
}

void BatchPortsModel::tick()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].clock.isValid()) {
            m_rows[i].elapsedMs = m_rows[i].clock.elapsed();
            changed(int(i), ElapsedColumn, ElapsedColumn);
        }
}

int BatchPortsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BatchPortsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchPortsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Row &row = m_rows[std::size_t(index.row())];
    static constexpr const TextEntry *kStates[] = {&kStateIdle,    &kStateWaiting,   &kStateReading,
                                                   &kStateWriting, &kStateVerifying, &kStateNext,
                                                   &kStateStopped};
    switch (index.column()) {
    case PortColumn:
        return row.port.name;
    case CableColumn:
        return row.port.cable;
    case StateColumn:
        return qText(textFor(*kStates[int(row.state)], m_language));
    case ProgressColumn:
        return row.unit ? QStringLiteral("%1 %").arg(row.progress) : QString();
    case UnitColumn:
        return row.unit ? QVariant(row.unit) : QVariant();
    case ElapsedColumn:
        return row.elapsedMs < 0
                   ? QString()
                   : QStringLiteral("%1 s").arg(double(row.elapsedMs) / 1000.0, 0, 'f', 1);
    case ResultColumn:
        return row.result;
    default:
        return {};
    }
}

QVariant BatchPortsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static constexpr const TextEntry *kColumns[] = {
        &kColumnPort, &kColumnCable,   &kColumnState, &kColumnProgress,
        &kColumnUnit, &kColumnElapsed, &kColumnResult};
    if (section < 0 || section >= ColumnCount)
        return {};
    return qText(textFor(*kColumns[section], m_language));
}
