#pragma once

#include <QTimer>
#include <QWidget>

#include "radio/Document.h"

class AppContext;
class BackupStore;
class BatchPortsModel;
class MainWindowHooks;
class MainWindowHost;
class ProductionLine;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class TransferCommands;

// Program > Batch Programming...: a production line in a window. The template (the document in
// the program, or a data file), whether each radio keeps its option features, a Bluetooth name
// pattern, the ports as a table with each port's state, progress, unit, elapsed time and
// result, and the log file. Start runs the same sessions and writes the same log as
// `orx740-cli batch`; Stop finishes the radios being written; Retry Failed programs the radios
// that failed again. The lock keeps the template and the ports as they are while it runs.
class FrmBatchProgramming : public QWidget
{
    Q_OBJECT

public:
    FrmBatchProgramming(AppContext &context, MainWindowHost &host, BackupStore *backups,
                        QWidget *parent = nullptr);
    ~FrmBatchProgramming() override;

    void relabel();
    ProductionLine &line() { return *m_line; }
    const BatchPortsModel &portsModel() const { return *m_model; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectLine();
    void addTypedPort();
    void addUsbPorts();
    void removePort();
    void browseTemplate();
    void browseLog();
    void start();
    bool loadTemplate();
    void lineFinished();
    void updateEnabled();
    QString text(const TextEntry &entry) const;

    AppContext &m_context;
    MainWindowHost &m_host;
    BackupStore *m_backups;
    ProductionLine *m_line;
    BatchPortsModel *m_model;
    DocumentSet m_plan;
    DocumentSet m_readBase;
    QTimer m_clock;
    bool m_closeWhenStopped = false; // closed while running: closes once the line has stopped

    QGroupBox *m_frameTemplate = nullptr;
    QRadioButton *m_optionDocument = nullptr;
    QRadioButton *m_optionFile = nullptr;
    QLineEdit *m_textTemplate = nullptr;
    QPushButton *m_commandBrowseTemplate = nullptr;
    QCheckBox *m_checkKeepOptions = nullptr;
    QLabel *m_labelNamePattern = nullptr;
    QLineEdit *m_textNamePattern = nullptr;
    QGroupBox *m_framePorts = nullptr;
    QTableView *m_gridPorts = nullptr;
    QLineEdit *m_textPort = nullptr;
    QPushButton *m_commandAddPort = nullptr;
    QPushButton *m_commandAddUsbPorts = nullptr;
    QPushButton *m_commandRemovePort = nullptr;
    QLabel *m_labelLog = nullptr;
    QLineEdit *m_textLog = nullptr;
    QPushButton *m_commandBrowseLog = nullptr;
    QCheckBox *m_checkLock = nullptr;
    QLabel *m_labelSummary = nullptr;
    QPushButton *m_commandStart = nullptr;
    QPushButton *m_commandStop = nullptr;
    QPushButton *m_commandRetry = nullptr;
    QPushButton *m_commandClose = nullptr;
};

// Plugs the window and its Program menu command into the main window.
void registerBatchProgramming(MainWindowHooks &hooks, TransferCommands &transfers);
