#pragma once

#include <QDialog>

#include <vector>

#include "datafile/DocumentCompare.h"

class DifferenceModel;
class QLabel;
class QPushButton;
class QTableView;

// What Program > Verify Radio found: every field where the radio differs from the document, named
// by its key path ("channels.CB.group 2.channel 14.mode") with the program's value and the
// radio's, or the one line that they agree. A window beside the program, not modal: the editors
// stay usable while the list is read. Copy puts the list on the clipboard as text.
class FrmVerifyResult : public QDialog
{
    Q_OBJECT

public:
    FrmVerifyResult(int language, QWidget *parent = nullptr);

    void showDifferences(std::vector<Difference> differences);
    void relabel(int language);
    // The list as Copy puts it on the clipboard: the summary line, then one line a difference.
    QString listText() const;

private:
    void copyList();

    int m_language;
    std::vector<Difference> m_differences;
    DifferenceModel *m_model = nullptr;
    QLabel *m_labelSummary = nullptr;
    QTableView *m_gridDifferences = nullptr;
    QPushButton *m_commandCopy = nullptr;
    QPushButton *m_commandClose = nullptr;
};
