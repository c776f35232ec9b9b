#include "app/frmMain.h"

#include <QMdiArea>

#include "app/AppContext.h"

frmMain::frmMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setCentralWidget(m_mdiArea);
    setWindowTitle(QStringLiteral("ORX-740[28.0000 - 29.6990 MHz][File Name:new.dat]"));
}
