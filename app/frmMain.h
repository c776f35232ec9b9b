#pragma once

#include <QMainWindow>

class QMdiArea;

// The program's single top-level window: a multiple-document frame holding the editor windows.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdiArea; }

private:
    QMdiArea *m_mdiArea = nullptr;
};
