#pragma once

#include <QWidget>

#include <set>

#include "kernel/MainWindowHost.h"

class AppContext;
class OptionBinder;
class QComboBox;
class QGroupBox;
class QLayout;
class QPushButton;
class QScrollArea;
struct OptionRow;
struct SettingsRecord;

// The option features window: every optional feature of the radio and the data file in list
// boxes, check boxes and text boxes, stored into the working settings at once (there is no OK
// step). The controls come from the option table through the binder; this window lays them out,
// keeps the enabling rules and tells the document notifier what it changed.
class FrmOptFeatures : public QWidget, public PendingEdits
{
    Q_OBJECT

public:
    FrmOptFeatures(AppContext &context, MainWindowHost &host, QWidget *parent = nullptr);

    // Fills every list again and shows the record (after a read, an open or a language change).
    void ReShowData();
    // Rebuilds the three "Roger" lists from the defined roger-beep tone sets.
    void ShowRB();
    // Rebuilds the "BOT", "EOT" and "CALL" lists of the three public-channel frames from the DTMF
    // codes that are not empty.
    void ShowDTMF();
    // Stores the value of the control that the identifier names and applies its side effects:
    // n for Combo1(n), 100 + n for check1(n), 200 + n / 400 + n / 300 + n for the CB / HF / HAM
    // public-channel boxes. Any other identifier stores nothing.
    void SaveOptFeat(int identifier);
    // Sets every caption in the language in force.
    void relabel();

    // Text boxes store their value when they are left; this stores the ones still being edited.
    void commitPendingEdits() override;

    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut();
    // One function a frame (or framed group) of the window; each makes its part and returns it.
    QWidget *layOutGeneralOptions();
    QWidget *layOutPublicFrame(int set);
    QWidget *layOutBleFrame();
    QWidget *layOutRadioSettings();
    QWidget *layOutModeEnableFrame(QWidget *parent);
    QWidget *layOutProtections(QWidget *parent);
    QWidget *layOutUsbLsbRssiFrame(QWidget *parent);
    QLayout *layOutRepeaterOffset(QWidget *parent);
    void fitTextBoxes();
    void layOutWindow();
    void makeParkedControls();
    // Tab goes through the controls as the window reads: the general options column by column,
    // the radio settings beside them, then the public-channel frames, the Bluetooth frame and
    // the buttons.
    void setReadingOrder();
    void applyEnabling();
    void enableVox(bool level, bool delay);
    void onChoice(const OptionRow &row);
    void onTextLeft(const OptionRow &row);
    void fitIntoFrame();
    SettingsRecord &settings();
    int language() const;

    AppContext &m_context;
    MainWindowHost &m_host;
    OptionBinder *m_binder = nullptr;
    // False while the window fills its controls; change events do nothing then.
    bool m_loaded = false;
    std::set<const OptionRow *> m_editedTexts;

    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    QWidget *m_parked = nullptr;
    QComboBox *m_modeList = nullptr;     // Combo3
    QComboBox *m_functionList = nullptr; // Combo5
    QGroupBox *m_bleFrame = nullptr;
    QGroupBox *m_modeEnableFrame = nullptr;
    QGroupBox *m_fmAmRssiFrame = nullptr;
    QGroupBox *m_usbLsbRssiFrame = nullptr;
    QGroupBox *m_publicFrames[3]{};
    QWidget *m_megahertz = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_help = nullptr;
};
