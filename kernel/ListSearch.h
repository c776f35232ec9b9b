#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QCoreApplication;

// Lets the keyboard pick a list box's item by its value as well as by its leading text: typing
// "88.5" on a closed tone list chooses "C_008(88.5Hz)" as a user's choice does (the box's
// activated signal follows). Keys typed within the system's keyboard input interval add up to
// one search, as they do in Qt's own lists.
class ListSearch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool search(QComboBox *box, const QString &text);

    QPointer<QComboBox> m_box;
    QString m_typed;
    QElapsedTimer m_sinceLastKey;
};

// Installs one search on the application, for every list box of the program; a second call does
// nothing.
void installListSearch(QCoreApplication *app);
