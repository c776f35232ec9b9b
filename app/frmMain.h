#pragma once

#include <QMainWindow>

class AppContext;
class QMdiArea;

// The program's single top-level window: a multiple-document frame holding the editor windows.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(AppContext &context, QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdiArea; }

private:
    AppContext &m_context;
    QMdiArea *m_mdiArea = nullptr;
};
