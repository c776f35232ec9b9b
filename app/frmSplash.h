#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash window: the start picture for 2000 ms, or until it is clicked. Without a picture it
// shows the program's name on a plain window instead.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kShowMilliseconds = 2000;

    explicit frmSplash(const QString &picturePath, QWidget *parent = nullptr);

    // Starts the timer; the window is to be shown at the same moment.
    void start();

Q_SIGNALS:
    // The picture was shown long enough or was clicked; emitted once.
    void finished();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void finish();

    QLabel *m_image1 = nullptr;
    QTimer *m_timer1 = nullptr;
    bool m_finished = false;
};
