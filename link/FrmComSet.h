#pragma once

#include <QDialog>

#include <vector>

#include "link/PortNames.h"

class AppContext;
class MainWindowHost;
class RadioProbe;
struct ProbeResult;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The port window: lists the serial ports present as "COM<n>" (the aliases of mysetup.ini first)
// and keeps the list current every second while it is open. OK stores the chosen number as
// "comPort" in mysetup.ini; Cancel changes nothing. Below the list, the connection assistant:
// what the shown port is (description, chip, whether it can be opened and why not), Find Radio
// (asks every USB serial port for the radio in the background and shows the one that answered),
// Find Cable (unplug, Next, plug in: the port that appears is the cable) and Other... (a device
// path kept as a port alias).
class FrmComSet : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRefreshIntervalMs = 1000;

    explicit FrmComSet(AppContext &context, QWidget *parent = nullptr);
    ~FrmComSet() override;

    // The number of the port shown in Combo1, 0 when none is.
    int selectedPort() const { return m_selectedPort; }
    // Lists the ports again, keeping the shown port when it is still there.
    void refresh();

    void done(int result) override;

    // Keeps a device path the user named as a port alias and shows it; false (with the reason
    // in the status line) when there is no such device or the settings cannot be written.
    bool addOtherPort(const QString &devicePath);
    // The steps of Find Cable: the first press asks to unplug, Next takes the list without the
    // cable, Stop gives up.
    void findCableStep();
    void findRadio();
    bool isFindingRadio() const;

private:
    void relabel();
    // Fills Combo1; the number of the first port listed, or 0 when there is none.
    int listPorts(const QStringList &names);
    // Lists the ports again into m_listed; their names as Combo1 shows them.
    QStringList portNames();
    void showPort(int listed, int wanted);
    void choose(int index);
    void acceptChoice();
    void layOut();
    void showFacts();
    void askForOtherPort();
    void watchForCable(const std::vector<PortEntry> &listed);
    void radioProbed(const QList<ProbeResult> &results);
    void setStatus(const QString &text);

    AppContext &m_context;
    QLabel *m_label1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_commandOk = nullptr;
    QPushButton *m_commandCancel = nullptr;
    QTimer *m_reShowComPortTimer = nullptr;
    QLabel *m_labelPortFacts = nullptr;
    QLabel *m_labelAssistant = nullptr;
    QPushButton *m_commandFindRadio = nullptr;
    QPushButton *m_commandFindCable = nullptr;
    QPushButton *m_commandOther = nullptr;
    RadioProbe *m_probe = nullptr;
    std::vector<PortEntry> m_listed;
    enum class CableStep
    {
        Idle,
        Unplugging,
        Plugging
    };
    CableStep m_cableStep = CableStep::Idle;
    std::vector<PortEntry> m_withoutCable;
    int m_selectedPort = 0;
};

// Communication Port on the main window: the port window, modal, or the one open already brought
// to the front. Accepting it relabels the main window (its status bar shows the port in force).
void showCommunicationPort(AppContext &context, MainWindowHost &host);
