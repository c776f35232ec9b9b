#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "options/OptionTable.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
struct SettingsRecord;

// Binds the option window's controls to the rows of the option table: makes one control and one
// label for every row, fills the lists, shows the stored values, relabels everything in a
// language and stores a control's value into a settings record. Filling and showing run with the
// controls' signals blocked, so only the user's own changes reach the window.
class OptionBinder : public QObject
{
    Q_OBJECT

public:
    using SettingsSource = std::function<SettingsRecord &()>;

    // The controls are made children of owner; the window lays them out afterwards.
    OptionBinder(QWidget *owner, SettingsSource settings);

    // The control of a row (QComboBox, QCheckBox or QLineEdit) and its label (null for check
    // boxes, whose own caption is the label).
    QWidget *control(const OptionRow &row) const;
    QLabel *label(const OptionRow &row) const;

    // Controls by the names of their arrays.
    QComboBox *combo1(int index) const;
    QComboBox *publicBox(int set, int index) const;
    QCheckBox *check1(int index) const;
    QLineEdit *text2(int index) const;
    QLineEdit *text4(int index) const;

    // Rebuilds the lists of the rows whose items come from the source (all rows without one) in
    // a language, then shows those rows' stored values.
    void fill(int language);
    void fill(int language, ItemSource source);
    // Shows the stored value of every row.
    void showRecord(int language);
    void showRow(const OptionRow &row, int language);
    // Sets every label and check-box caption in a language.
    void relabel(int language);

    // Stores the control's present value into the row's field of settings.
    void storeControl(const OptionRow &row, SettingsRecord &settings) const;

    // The row a save identifier names, or null.
    static const OptionRow *rowForIdentifier(int identifier);

    // "VFO" is offered in the key boxes only while this is on; the window turns it on.
    bool vfoKeyShown = true;

Q_SIGNALS:
    // The user chose an item of a list box or clicked a check box.
    void choiceMade(const OptionRow &row);
    // The user typed into a text box.
    void textEdited(const OptionRow &row);
    // A text box was left (or Enter pressed in it).
    void textLeft(const OptionRow &row);

private:
    struct Binding
    {
        const OptionRow *row;
        QWidget *control;
        QLabel *label;
    };

    void makeControl(const OptionRow &row);
    void fillRow(const Binding &binding, int language);
    const Binding *binding(OptionControl control, int index, int publicSet = -1) const;

    QWidget *m_owner;
    SettingsSource m_settings;
    std::vector<Binding> m_bindings;
};
