#include "channels/frmCommChInfo.h"

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>

#include <algorithm>
#include <array>
#include <set>

#include "channels/ChannelDetails.h"
#include "channels/ChannelGridModel.h"
#include "channels/GridToolTexts.h"
#include "kernel/AppContext.h"
#include "lang/QtText.h"
#include "radio/Document.h"

using namespace GridToolTexts;

namespace {

QString kindText(int kind)
{
    constexpr std::array<const char *, kKindCount> kNames{"CB", "HF", "HAM"};
    return QString::fromLatin1(kNames[static_cast<std::size_t>(kind)]);
}

} // namespace

std::vector<int> frmCommChInfo::selectedRowNumbers() const
{
    std::set<int> rows;
    for (const QModelIndex &index : m_grid->selectionModel()->selectedRows())
        rows.insert(index.row() + 1);
    if (rows.empty() && currentRow() > 0)
        rows.insert(currentRow());
    return {rows.begin(), rows.end()};
}

// One choice for every selected row, as one undo step, each row taking it as a choice made for it
// alone would; rows without a channel (or not showing the detail) are passed by.
void frmCommChInfo::applyDetailToRows(const DetailRow &detail, int listIndex,
                                      const std::vector<int> &rows)
{
    const std::vector<std::string> items =
        listItems(m_combo8[static_cast<std::size_t>(detail.index)]);
    int skipped = 0;
    edit(text(detail.label), [&] {
        DocumentSet &document = m_context.document.working();
        for (const int row : rows)
            if (!ApplyDetailChoice(document, m_kind, m_group, row, detail, items, listIndex))
                ++skipped;
    });
    m_model->redrawAll();
    showDetails();
    if (skipped > 0)
        showStatus(text(kSkipped).arg(skipped));
}

// Where the selected channels differ in a detail, its list shows no choice.
void frmCommChInfo::blankDifferingDetails(const std::vector<int> &rows)
{
    if (rows.size() < 2)
        return;
    const DocumentSet &document = m_context.document.working();
    for (const DetailRow &detail : detailRows()) {
        QComboBox *box = m_combo8[static_cast<std::size_t>(detail.index)];
        if (!detail.get || !box->isVisibleTo(this))
            continue;
        std::set<int> values;
        for (const int row : rows)
            if (const ChannelRecord *record =
                    ChannelGrid::rowRecord(document, m_kind, m_group, row))
                values.insert(detail.get(*record));
        if (values.size() > 1) {
            const QSignalBlocker block(box);
            box->setCurrentIndex(-1);
        }
    }
}

bool frmCommChInfo::mayMoveChannels()
{
    switch (ChannelGrid::channelMoveRefusal(m_kind, m_group)) {
    case ChannelGrid::MoveRefusal::FixedChannelPlan:
        inform(stdText(text(kCbFixed)), MessageIcon::Information);
        return false;
    case ChannelGrid::MoveRefusal::SingleChannel:
        inform(stdText(text(kVfoSingle)), MessageIcon::Information);
        return false;
    case ChannelGrid::MoveRefusal::None:
        break;
    }
    return true;
}

void frmCommChInfo::moveCurrentRow(int by)
{
    if (!commitEditor())
        return;
    const int row = currentRow();
    if (row < 1 || !mayMoveChannels())
        return;
    bool moved = false;
    const int movedTo = row + by;
    edit(
        qText(captionWithoutMarkers(stdText(text(by < 0 ? kMoveUp : kMoveDown)))),
        [&] {
            moved = ChannelGrid::moveRow(m_context.document.working(), m_kind, m_group, row, by);
        },
        &movedTo);
    if (!moved)
        return;
    m_model->redrawAll();
    // The moved channel alone stays selected, so the next choice changes it and no other.
    selectRowAlone(movedTo);
    showDetails();
}

void frmCommChInfo::sortGroup()
{
    if (!commitEditor() || !mayMoveChannels())
        return;
    int followed = currentRow();
    edit(
        qText(captionWithoutMarkers(stdText(text(kSortByFrequency)))),
        [&] {
            ChannelGrid::sortGroupByFrequency(m_context.document.working(), m_kind, m_group,
                                              &followed);
        },
        &followed);
    m_model->redrawAll();
    selectRowAlone(followed);
    showDetails();
}

void frmCommChInfo::showFindBar()
{
    m_findText->setPlaceholderText(text(kFindPrompt));
    m_findText->show();
    m_findText->setFocus(Qt::ShortcutFocusReason);
    m_findText->selectAll();
}

// Enter in the find box: the next channel whose frequency shows the text, in any kind and group
// or among the memory channels (on the "M" rows of the CB groups), then round again.
void frmCommChInfo::findNext()
{
    const QString typed = m_findText->text().trimmed();
    if (typed != m_hitsFor) {
        m_hits = ChannelGrid::findFrequency(m_context.document.working(), stdText(typed));
        m_hitsFor = typed;
        m_nextHit = 0;
    }
    if (m_hits.empty()) {
        showStatus(text(kNotFound).arg(typed));
        return;
    }
    const ChannelGrid::ChannelHit hit = m_hits[m_nextHit % m_hits.size()];
    const QString place = QString::number(m_nextHit % m_hits.size() + 1);
    const QString count = QString::number(m_hits.size());
    ++m_nextHit;
    int kind = hit.kind;
    int group = hit.group;
    int row = hit.row;
    if (hit.kind < 0) {
        // A memory channel shows on the "M" row of the CB group whose block holds it.
        kind = CB;
        for (int g = 1; g <= groupCount(CB) && group == 0; ++g)
            for (int r = 1; r <= ChannelGrid::rowCount(CB, g); ++r)
                if (ChannelGrid::memoryNumber(CB, g, r) == hit.row) {
                    group = g;
                    row = r;
                    break;
                }
        showStatus(text(kFoundMemory).arg(place, count).arg(hit.row));
    } else {
        showStatus(text(kFoundInGroup)
                       .arg(place, count, kindText(hit.kind))
                       .arg(hit.group)
                       .arg(qText(ChannelGrid::rowName(hit.kind, hit.group, hit.row))));
    }
    if (group == 0)
        return;
    chooseKind(kind);
    if (group != m_group)
        chooseGroup(group, true);
    m_grid->setCurrentIndex(m_model->index(row - 1, 1));
    m_grid->scrollTo(m_grid->currentIndex());
    showDetails();
}

void frmCommChInfo::printChart()
{
    if (commitEditor())
        m_host.runCommand(MainCommand::PrintChannelChart);
}

void frmCommChInfo::showStatus(const QString &note)
{
    if (auto *main = qobject_cast<QMainWindow *>(window()))
        main->statusBar()->showMessage(note, 8000);
}
