#include "help/HelpBrowser.h"

#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "help/HelpPages.h"
#include "help/Manual.h"
#include "kernel/AppContext.h"
#include "kernel/DocumentNotifier.h"
#include "kernel/ScreenFit.h"
#include "lang/QtText.h"

namespace {

constexpr TextEntry kWindowTitle{"", "ORX-740 Help", "ORX-740 帮助"};
constexpr TextEntry kBack{"", "< Back", "< 后退"};
constexpr TextEntry kForward{"", "Forward >", "前进 >"};
constexpr TextEntry kSearch{"", "Search:", "搜索："};
constexpr TextEntry kSearchHint{"", "words to find", "要查找的词"};

QString pageName(const QUrl &url)
{
    QString name = url.fileName();
    if (name.endsWith(QStringLiteral(".html")))
        name.chop(5);
    return name;
}

// The page view: each page comes from the help folder's file, or is made when the file is
// missing.
class ManualView : public QTextBrowser
{
public:
    ManualView(AppContext &context, QWidget *parent)
        : QTextBrowser(parent)
        , m_context(context)
    {}

    QVariant loadResource(int type, const QUrl &url) override
    {
        if (type != QTextDocument::HtmlResource)
            return QTextBrowser::loadResource(type, url);
        const int language = m_context.language.languageIndex;
        const QString name = pageName(url);
        const InstallLayout &layout = m_context.layout;
        QFile file(
            qText(layout.join(layout.join(layout.helpFolder(), manualLanguageFolder(language)),
                              stdText(name))) +
            QStringLiteral(".html"));
        if (file.open(QIODevice::ReadOnly))
            return QString::fromUtf8(file.readAll());
        return qText(manualPage(stdText(name), language));
    }

private:
    AppContext &m_context;
};

} // namespace

HelpBrowser::HelpBrowser(AppContext &context, DocumentNotifier &notifier, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_contents(new QListWidget(this))
    , m_searchLabel(new QLabel(this))
    , m_search(new QLineEdit(this))
    , m_results(new QListWidget(this))
    , m_back(new QPushButton(this))
    , m_forward(new QPushButton(this))
    , m_view(new ManualView(context, this))
{
    setObjectName(QStringLiteral("HelpBrowser"));
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_search->setObjectName(QStringLiteral("HelpSearch"));
    m_results->setObjectName(QStringLiteral("HelpResults"));
    m_back->setObjectName(QStringLiteral("HelpBack"));
    m_forward->setObjectName(QStringLiteral("HelpForward"));
    m_view->setObjectName(QStringLiteral("HelpView"));
    m_search->setClearButtonEnabled(true);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_contents, 3);
    sideLayout->addWidget(m_searchLabel);
    sideLayout->addWidget(m_search);
    sideLayout->addWidget(m_results, 2);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    resizeWithinScreen(this, QSize(900, 600));

    connect(m_back, &QPushButton::clicked, m_view, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_view, &QTextBrowser::forward);
    connect(m_view, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_search, &QLineEdit::textChanged, this, &HelpBrowser::search);
    for (QListWidget *list : {m_contents, m_results}) {
        connect(list, &QListWidget::itemClicked, this, &HelpBrowser::openItem);
        connect(list, &QListWidget::itemActivated, this, &HelpBrowser::openItem);
    }
    connect(&notifier, &DocumentNotifier::languageChanged, this, &HelpBrowser::relabel);
    relabel();
}

void HelpBrowser::relabel()
{
    const int language = m_context.language.languageIndex;
    setWindowTitle(qText(std::string(textFor(kWindowTitle, language))));
    m_back->setText(qText(std::string(textFor(kBack, language))));
    m_forward->setText(qText(std::string(textFor(kForward, language))));
    m_searchLabel->setText(qText(std::string(textFor(kSearch, language))));
    m_search->setPlaceholderText(qText(std::string(textFor(kSearchHint, language))));
    m_contents->clear();
    for (const std::string &name : manualPageNames()) {
        auto *item = new QListWidgetItem(qText(manualPageTitle(name, language)), m_contents);
        item->setData(Qt::UserRole, qText(name));
    }
    search(m_search->text());
    if (!m_view->source().isEmpty())
        m_view->reload();
}

void HelpBrowser::showPage(const QString &name)
{
    const std::string page = stdText(name);
    const bool known = page != kContentsPage && !manualPageTitle(page, English).empty();
    m_view->setSource(
        QUrl(qText(known ? page : std::string(kContentsPage)) + QStringLiteral(".html")));
    show();
    raise();
    activateWindow();
}

void HelpBrowser::stayUsableBeside(QWidget *modal, QWidget *home)
{
    QWidget *holder = modal && modal != this ? modal : home;
    if (modal && modal != this) {
        m_home = home;
        modal->installEventFilter(this);
    }
    if (parentWidget() == holder)
        return;
    // setParent() hides a window: it comes back where it was.
    const bool shown = isVisible();
    const QRect place = geometry();
    setParent(holder, windowFlags());
    if (shown) {
        setGeometry(place);
        show();
    }
}

bool HelpBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // Before the modal window is gone (a dialog run by exec() is deleted right after), the help
    // window goes back to the main window.
    if (event->type() == QEvent::Hide && watched == parentWidget() && m_home) {
        watched->removeEventFilter(this);
        stayUsableBeside(nullptr, m_home);
    }
    return QWidget::eventFilter(watched, event);
}

QString HelpBrowser::currentPage() const
{
    return pageName(m_view->source());
}

void HelpBrowser::search(const QString &query)
{
    const int language = m_context.language.languageIndex;
    m_results->clear();
    for (const std::string &name : searchManual(stdText(query), language)) {
        auto *item = new QListWidgetItem(qText(manualPageTitle(name, language)), m_results);
        item->setData(Qt::UserRole, qText(name));
    }
}

void HelpBrowser::openItem(const QListWidgetItem *item)
{
    if (item)
        showPage(item->data(Qt::UserRole).toString());
}
