#pragma once

#include <QDialog>

// The About window, one face in English and one in Chinese: the program's name, its version, what
// it is for and the Qt it was built with.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(int language, QWidget *parent = nullptr);
};
