#include "help/FrmProblemReport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "datafile/DataFileFormat.h"
#include "help/QtProblemReport.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/IniFile.h"
#include "kernel/ScreenFit.h"
#include "lang/Messages.h"
#include "lang/QtText.h"
#include "link/PortSettings.h"

namespace {

constexpr TextEntry kCaption{"", "Save Problem Report", "保存问题报告"};
constexpr TextEntry kIntro{
    "",
    "The report holds the files listed below; choose one to see it as it will be written. Your "
    "user name, the host name and your home folder are replaced by <user>, <host> and <home>. "
    "Nothing is sent anywhere: save the file and pass it on yourself.",
    "报告包含下列文件；选中一个即可查看写入时的内容。您的用户名、主机名和主文件夹已替换为 "
    "<user>、<host> 和 <home>。不会发送任何内容：请保存文件后自行转交。"};
constexpr TextEntry kIncludeDocument{"", "&Include the open document (%1)",
                                     "包含打开的文档 %1(&I)"};
constexpr TextEntry kSave{"", "&Save...", "保存(&S)..."};
constexpr TextEntry kClose{"", "&Close", "关闭(&C)"};
constexpr TextEntry kZipFilter{"", "Zip file (*.zip)", "Zip 文件 (*.zip)"};
constexpr TextEntry kSaved{"", "Saved %1", "已保存 %1"};
constexpr TextEntry kBinary{"", "(the file's bytes as the program saves them: %1 bytes)",
                            "（程序保存的文件原样字节：%1 字节）"};

QString documentFileName(const AppContext &context)
{
    return QFileInfo(QString::fromStdString(context.document.documentPath)).fileName();
}

bool isText(const ProblemReportFile &file)
{
    return !file.name.starts_with("document/");
}

} // namespace

FrmProblemReport::FrmProblemReport(AppContext &context, DocumentNotifier &notifier, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("FrmProblemReport"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_intro = new QLabel(this);
    m_intro->setObjectName(QStringLiteral("LabelIntro"));
    m_intro->setWordWrap(true);
    m_includeDocument = new QCheckBox(this);
    m_includeDocument->setObjectName(QStringLiteral("CheckDocument"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListFiles"));
    m_preview = new QPlainTextEdit(this);
    m_preview->setObjectName(QStringLiteral("TextPreview"));
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStatus"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_save = new QPushButton(this);
    m_save->setObjectName(QStringLiteral("CommandSave"));
    m_save->setDefault(true);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("CommandClose"));

    auto *files = new QHBoxLayout;
    files->addWidget(m_list, 1);
    files->addWidget(m_preview, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addWidget(m_includeDocument);
    layout->addLayout(files, 1);
    layout->addLayout(buttons);

    ProblemReportSources sources;
    sources.settingsPath =
        resolveSetupIniPath(QString::fromStdString(context.layout.setupIniPath()));
    sources.settingsText = context.setupIni->contents();
    sources.portAliases = readPortAliases(*context.setupIni);
    sources.programLanguage = context.language.languageIndex;
    m_facts = gatherProblemReportFacts(sources);
    m_personal = currentPersonalMarkers();
    const PackedPair pair = packDataFilePair(context.document.working());
    m_document = ProblemReportFacts::Document{
        QFileInfo(documentFileName(context)).completeBaseName().toStdString(), pair.dataFile,
        pair.channelFile};

    connect(m_includeDocument, &QCheckBox::toggled, this, [this] { listFiles(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) { showFile(row); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    connect(&notifier, &DocumentNotifier::languageChanged, this, [this] { relabel(); });
    relabel();
    listFiles();
    resizeWithinScreen(this, QSize(760, 480));
}

void FrmProblemReport::relabel()
{
    const auto text = [this](const TextEntry &entry) { return qText(m_context.text(entry)); };
    setWindowTitle(text(kCaption));
    m_intro->setText(text(kIntro));
    m_includeDocument->setText(text(kIncludeDocument).arg(documentFileName(m_context)));
    m_save->setText(text(kSave));
    m_close->setText(text(kClose));
    showFile(m_list->currentRow());
}

void FrmProblemReport::listFiles()
{
    const int shown = std::max(0, m_list->currentRow());
    m_facts.document = m_includeDocument->isChecked() ? m_document : std::nullopt;
    m_files = problemReportFiles(m_facts, m_personal);
    m_list->clear();
    for (const ProblemReportFile &file : m_files)
        m_list->addItem(QStringLiteral("%1 (%2)")
                            .arg(QString::fromStdString(file.name))
                            .arg(file.bytes.size()));
    m_list->setCurrentRow(std::min(shown, m_list->count() - 1));
}

void FrmProblemReport::showFile(int row)
{
    if (row < 0 || std::size_t(row) >= m_files.size()) {
        m_preview->clear();
        return;
    }
    const ProblemReportFile &file = m_files[std::size_t(row)];
    m_preview->setPlainText(
        isText(file) ? QString::fromUtf8(reinterpret_cast<const char *>(file.bytes.data()),
                                         qsizetype(file.bytes.size()))
                     : qText(m_context.text(kBinary)).arg(file.bytes.size()));
}

void FrmProblemReport::save()
{
    const auto path = m_context.fileDialogs->saveFileName(m_context.text(kZipFilter),
                                                          problemReportFileName().toStdString());
    if (!path || path->empty())
        return;
    QString error;
    if (!writeProblemReport(QString::fromStdString(*path), m_files, &error)) {
        m_context.messages->inform(std::string(m_context.text(Messages::kFileError)) + "\r\n" +
                                       error.toStdString(),
                                   MessageIcon::Warning);
        return;
    }
    m_status->setText(qText(m_context.text(kSaved)).arg(QString::fromStdString(*path)));
}
