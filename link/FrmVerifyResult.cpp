#include "link/FrmVerifyResult.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "lang/Messages.h"
#include "lang/QtText.h"

namespace {

constexpr TextEntry kCaption{"", "Verify Radio", "校验对讲机"};
constexpr TextEntry kSame{"", "The radio holds what the program shows.",
                          "对讲机中的数据与程序显示的相同。"};
// "%1" is the number of differences.
constexpr TextEntry kDiffer{
    "", "The radio differs from the program in %1 fields:", "对讲机与程序有 %1 处不同："};
constexpr TextEntry kDifferOnce{
    "", "The radio differs from the program in 1 field:", "对讲机与程序有 1 处不同："};
constexpr TextEntry kFieldColumn{"", "Field", "字段"};
constexpr TextEntry kProgramColumn{"", "Program", "程序"};
constexpr TextEntry kRadioColumn{"", "Radio", "对讲机"};
// The words before the two values in the copied lines.
constexpr TextEntry kProgramWord{"", "program", "程序"};
constexpr TextEntry kRadioWord{"", "radio", "对讲机"};
constexpr TextEntry kCopy{"", "&Copy", "复制(&C)"};
constexpr TextEntry kClose{"", "Close", "关闭"};

} // namespace

// The differences as a read-only table: field, program's value, radio's value.
class DifferenceModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setDifferences(const std::vector<Difference> *differences)
    {
        beginResetModel();
        m_differences = differences;
        endResetModel();
    }
    void setLanguage(int language)
    {
        m_language = language;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_differences ? 0 : int(m_differences->size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        const Difference &difference = m_differences->at(std::size_t(index.row()));
        return qText(index.column() == 0   ? difference.where
                     : index.column() == 1 ? difference.first
                                           : difference.second);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        const TextEntry &title = section == 0   ? kFieldColumn
                                 : section == 1 ? kProgramColumn
                                                : kRadioColumn;
        return qText(textFor(title, m_language));
    }

private:
    const std::vector<Difference> *m_differences = nullptr;
    int m_language = English;
};

FrmVerifyResult::FrmVerifyResult(int language, QWidget *parent)
    : QDialog(parent)
    , m_language(language)
    , m_model(new DifferenceModel(this))
    , m_labelSummary(new QLabel(this))
    , m_gridDifferences(new QTableView(this))
    , m_commandCopy(new QPushButton(this))
    , m_commandClose(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmVerifyResult"));
    m_labelSummary->setObjectName(QStringLiteral("LabelSummary"));
    m_gridDifferences->setObjectName(QStringLiteral("GridDifferences"));
    m_commandCopy->setObjectName(QStringLiteral("CommandCopy"));
    m_commandClose->setObjectName(QStringLiteral("CommandClose"));
    m_labelSummary->setWordWrap(true);
    m_labelSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_gridDifferences->setModel(m_model);
    m_gridDifferences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridDifferences->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gridDifferences->setAlternatingRowColors(true);
    m_gridDifferences->verticalHeader()->hide();
    m_gridDifferences->horizontalHeader()->setStretchLastSection(true);
    m_model->setDifferences(&m_differences);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_commandCopy);
    buttons->addStretch();
    buttons->addWidget(m_commandClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_labelSummary);
    layout->addWidget(m_gridDifferences, 1);
    layout->addLayout(buttons);
    setSizeGripEnabled(true);
    m_commandClose->setDefault(true);
    resize(720, 360);

    connect(m_commandCopy, &QPushButton::clicked, this, &FrmVerifyResult::copyList);
    connect(m_commandClose, &QPushButton::clicked, this, &QDialog::close);
    relabel(language);
}

void FrmVerifyResult::showDifferences(std::vector<Difference> differences)
{
    m_differences = std::move(differences);
    m_model->setDifferences(&m_differences);
    m_gridDifferences->setVisible(!m_differences.empty());
    m_gridDifferences->resizeColumnsToContents();
    relabel(m_language);
}

void FrmVerifyResult::relabel(int language)
{
    m_language = language;
    setWindowTitle(qText(textFor(kCaption, language)));
    m_model->setLanguage(language);
    m_commandCopy->setText(qText(textFor(kCopy, language)));
    m_commandClose->setText(qText(textFor(kClose, language)));
    const std::size_t count = m_differences.size();
    m_labelSummary->setText(count == 0 ? qText(textFor(kSame, language))
                            : count == 1
                                ? qText(textFor(kDifferOnce, language))
                                : qText(textFor(kDiffer, language)).arg(qulonglong(count)));
}

QString FrmVerifyResult::listText() const
{
    return m_labelSummary->text() + QLatin1Char('\n') +
           qText(formatDifferences(m_differences, textFor(kProgramWord, m_language),
                                   textFor(kRadioWord, m_language)));
}

void FrmVerifyResult::copyList()
{
    QGuiApplication::clipboard()->setText(listText());
}
