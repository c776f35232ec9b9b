#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

#include "channels/EmgDwMemTable.h"
#include "kernel/MainWindowHost.h"

class AppContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The emergency, dual-watch and memory-channel windows (frm_emg, frm_dw, frm_MEM), each built
// from its table: a window edits a copy of its sub-record of the settings, "Save" writes the copy
// into the document and closes the window. Closed any other way with choices made since, it asks
// whether to save them first.
class EmgDwMemWindow : public QWidget, public PendingChoices
{
    Q_OBJECT

public:
    EmgDwMemWindow(AppContext &context, MainWindowHost &host, SpecialWindowId id,
                   QWidget *parent = nullptr);

    // The window's copy of its sub-record.
    const std::vector<std::int16_t> &values() const { return m_values; }
    // "Save": the copy goes into the working settings, then the window closes.
    void save();

    bool hasPendingChoices() const override { return m_values != m_valuesAtOpen; }
    bool settlePendingChoices() override;

    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Element
    {
        const SpecialCombo *combo;
        QLabel *label;
        QComboBox *box;
        std::vector<SpecialItem> items;
    };

    void buildFrames();
    // Tab goes through the boxes in reading order, then to "Save".
    void setReadingOrder();
    // Fills every list from the document and shows the copy's values; change handlers are
    // silenced meanwhile.
    void fillLists();
    void relabel();
    void choose(Element &element, int position);
    // The copy goes into the working settings and counts as saved.
    void writeChoices();

    AppContext &m_context;
    MainWindowHost &m_host;
    const SpecialWindowTable &m_table;
    std::vector<std::int16_t> m_values;
    std::vector<std::int16_t> m_valuesAtOpen;
    std::vector<Element> m_elements;
    QGroupBox *m_frames[3] = {};
    QPushButton *m_cmdSave = nullptr;
    QWidget *m_content = nullptr;
};

class MainWindowHooks;

// Closes a child window of the main window as its frame's close button does.
void closeFrame(QWidget *window);

// The three special-channel windows, under their window names.
void registerEmgDwMemWindows(MainWindowHooks &hooks);
