#pragma once

#include <QDialog>

class AppContext;
class QComboBox;
class QLabel;
class QPushButton;

// The language window: offers English, the language in force, and Chinese as well on a Chinese
// system, so that a language chosen elsewhere can always be left. OK stores the choice in
// mysetup.ini and changes the language in force; the main window relabels itself when it is next
// activated.
class FrmSetLanguage : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSetLanguage(AppContext &context, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void relabel();
    void fillLanguages();
    void chooseLanguage();

    AppContext &m_context;
    QLabel *m_label1 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
};

// Writes the language in force as "CurrentLanguage" to mysetup.ini; "file error." when it cannot.
void storeLanguage(AppContext &context);
