#pragma once

#include <QDialog>

class AppContext;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The port window: lists the serial ports present as "COM<n>" (the aliases of mysetup.ini first)
// and keeps the list current every second while it is open. OK stores the chosen number as
// "comPort" in mysetup.ini; Cancel changes nothing.
class FrmComSet : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRefreshIntervalMs = 1000;

    explicit FrmComSet(AppContext &context, QWidget *parent = nullptr);

    // The number of the port shown in Combo1, 0 when none is.
    int selectedPort() const { return m_selectedPort; }
    // Lists the ports again, keeping the shown port when it is still there.
    void refresh();

    void done(int result) override;

private:
    void relabel();
    // Fills Combo1; the number of the first port listed, or 0 when there is none.
    int listPorts(const QStringList &names);
    QStringList portNames() const;
    void showPort(int listed, int wanted);
    void choose(int index);
    void acceptChoice();

    AppContext &m_context;
    QLabel *m_label1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_commandOk = nullptr;
    QPushButton *m_commandCancel = nullptr;
    QTimer *m_reShowComPortTimer = nullptr;
    int m_selectedPort = 0;
};
