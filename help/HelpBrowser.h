#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class AppContext;
class DocumentNotifier;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;

// The help window: a top-level window beside the program with the manual's contents, a search
// box and its results, back and forward, and the page shown. It shows the shipped pages of the
// installation's help folder in the language in force (the pages made in memory when the files
// are missing) and relabels itself when the language changes.
class HelpBrowser : public QWidget
{
    Q_OBJECT

public:
    HelpBrowser(AppContext &context, DocumentNotifier &notifier, QWidget *parent = nullptr);

    // Shows the page of that name ("FrmOptFeatures", "task-read"; empty or unknown: the
    // contents) and brings the window to the front.
    void showPage(const QString &name);
    // The name of the page shown.
    QString currentPage() const;
    // A modal window blocks every window but its own children: while `modal` is open the help
    // window is its child, so it can be read and scrolled beside it, and it goes back to `home`
    // (the main window) when `modal` closes. No modal window: it belongs to `home`.
    void stayUsableBeside(QWidget *modal, QWidget *home);

    void relabel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(const QString &query);
    void openItem(const QListWidgetItem *item);

    AppContext &m_context;
    QListWidget *m_contents = nullptr;
    QLabel *m_searchLabel = nullptr;
    QLineEdit *m_search = nullptr;
    QListWidget *m_results = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_forward = nullptr;
    QTextBrowser *m_view = nullptr;
    QPointer<QWidget> m_home;
};
