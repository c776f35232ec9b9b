#pragma once

#include <QDialog>

#include <vector>

#include "help/ProblemReport.h"

class AppContext;
class DocumentNotifier;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// Help > Save Problem Report...: lists every file the report will hold, shows each one as it will
// be written (with the markers in place of the user's, host's and home folder's names), offers to
// add the open document, and saves the zip file where the user says. Nothing is sent anywhere.
class FrmProblemReport : public QDialog
{
    Q_OBJECT

public:
    FrmProblemReport(AppContext &context, DocumentNotifier &notifier, QWidget *parent = nullptr);

    // The files as they would be written now.
    const std::vector<ProblemReportFile> &files() const { return m_files; }

private:
    void relabel();
    void listFiles();
    void showFile(int row);
    void save();

    AppContext &m_context;
    ProblemReportFacts m_facts;
    std::optional<ProblemReportFacts::Document> m_document;
    PersonalMarkers m_personal;
    std::vector<ProblemReportFile> m_files;
    QLabel *m_intro = nullptr;
    QCheckBox *m_includeDocument = nullptr;
    QListWidget *m_list = nullptr;
    QPlainTextEdit *m_preview = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};
