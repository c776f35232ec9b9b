#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a read, a write or the read of a verification. It shows how far the
// transfer has come; Cancel, Esc and the close button ask the transfer to stop, and the window
// stays until the transfer has ended and the port is closed.
class FrmProgress : public QDialog
{
    Q_OBJECT

public:
    enum class Operation
    {
        Read,
        Write,
        Verify
    };

    FrmProgress(Operation operation, int language, QWidget *parent = nullptr);

    // Shows a percentage; a smaller one than shown already is ignored.
    void setProgress(int percent);
    int progress() const;
    bool cancelRequested() const { return m_cancelRequested; }
    // Closes the window once the transfer has ended.
    void finish();

    void reject() override;

Q_SIGNALS:
    void cancelClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void relabel(Operation operation, int language);
    void requestCancel();

    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QProgressBar *m_progressBar1 = nullptr;
    QPushButton *m_commandCancel = nullptr;
    bool m_cancelRequested = false;
    bool m_finished = false;
};
