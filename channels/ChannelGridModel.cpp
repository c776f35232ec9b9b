#include "channels/ChannelGridModel.h"

#include "channels/ChannelDetails.h"
#include "channels/ChannelHelp.h"
#include "kernel/AppContext.h"
#include "lang/QtText.h"

ChannelGridModel::ChannelGridModel(AppContext &context, QObject *parent)
    : QAbstractTableModel(parent)
    , m_context(context)
{}

void ChannelGridModel::setGroup(int kind, int group)
{
    beginResetModel();
    m_kind = kind;
    m_group = group;
    endResetModel();
}

int ChannelGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ChannelGrid::rowCount(m_kind, m_group);
}

int ChannelGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant ChannelGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role == Qt::AccessibleTextRole)
        return spokenCell(index);
    if (role == Qt::AccessibleDescriptionRole)
        return columnHelp(index.column());
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int row = index.row() + 1;
    if (index.column() == 0)
        return qText(ChannelGrid::rowName(m_kind, m_group, row));
    return qText(ChannelGrid::rowFrequencyText(m_context.document.working(), m_kind, m_group, row,
                                               m_context.document.bandLimits()));
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    const bool described = role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole;
    if (described && orientation == Qt::Horizontal)
        return columnHelp(section);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return qText(m_context.text(ChannelWindowTexts::kHeaderName));
    if (section == 1)
        return qText(m_context.text(ChannelWindowTexts::kHeaderFrequency));
    return {};
}

QVariant ChannelGridModel::columnHelp(int column) const
{
    if (column != 0 && column != 1)
        return {};
    // The columns' help is found by their English titles.
    static const WindowHelp help = channelWindowHelp();
    const TextEntry &title =
        column == 0 ? ChannelWindowTexts::kHeaderName : ChannelWindowTexts::kHeaderFrequency;
    const SettingHelp *setting = findSettingHelp(help, std::string(title[English]));
    return setting ? qText(setting->tooltip.in(m_context.language.languageIndex)) : QVariant();
}

// A row names its channel ("Channel 12"); the frequency cell adds its column's title and the
// frequency with its unit, or says the channel is empty.
QString ChannelGridModel::spokenCell(const QModelIndex &index) const
{
    QString channel = qText(m_context.text(ChannelWindowTexts::kSpokenChannel)) +
                      qText(ChannelGrid::rowName(m_kind, m_group, index.row() + 1));
    if (index.column() == 0)
        return channel;
    const QString frequency = data(index, Qt::DisplayRole).toString();
    return channel + QStringLiteral(", ") +
           qText(m_context.text(ChannelWindowTexts::kHeaderFrequency)) + QLatin1Char(' ') +
           (frequency.isEmpty()
                ? qText(m_context.text(ChannelWindowTexts::kSpokenEmpty))
                : frequency + qText(m_context.text(ChannelWindowTexts::kSpokenMegahertz)));
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (isFrequencyEditable(index))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ChannelGridModel::isFrequencyEditable(const QModelIndex &index) const
{
    return index.isValid() && index.column() == 1 && m_kind != CB &&
           index.row() + 1 <= ChannelGrid::channelRowCount(m_kind, m_group);
}

bool ChannelGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isFrequencyEditable(index))
        return false;
    return commitFrequency(index.row() + 1, value.toString(), true).outcome !=
           ChannelGrid::FrequencyOutcome::Refused;
}

ChannelGrid::FrequencyCommit ChannelGridModel::commitFrequency(int row, const QString &text,
                                                               bool warn)
{
    m_lastCommit =
        ChannelGrid::CommitFrequencyText(m_context.document.working(), m_kind, m_group, row,
                                         stdText(text), warn, m_context.document.bandLimits());
    redrawRows(row, row);
    return m_lastCommit;
}

void ChannelGridModel::redrawRows(int first, int last)
{
    first = std::max(first, 1);
    last = std::min(last, rowCount());
    if (first > last)
        return;
    Q_EMIT dataChanged(index(first - 1, 0), index(last - 1, 1), {Qt::DisplayRole});
}

void ChannelGridModel::redrawAll()
{
    redrawRows(1, rowCount());
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 1);
}
