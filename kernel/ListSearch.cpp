#include "kernel/ListSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include <string>
#include <vector>

#include "kernel/TypedSearch.h"

bool ListSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *box = qobject_cast<QComboBox *>(watched);
    if (!box || box->isEditable())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    return search(box, text);
}

bool ListSearch::search(QComboBox *box, const QString &text)
{
    const bool continued = m_box == box && m_sinceLastKey.isValid() &&
                           m_sinceLastKey.elapsed() < QApplication::keyboardInputInterval();
    m_box = box;
    m_sinceLastKey.start();
    m_typed = continued ? m_typed + text : text;
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        items.push_back(box->itemText(i).toStdString());
    // A new search starts after the shown item, so one key pressed again walks the items that
    // start with it; a longer text may still match the item shown.
    const int start = continued ? box->currentIndex() : box->currentIndex() + 1;
    const int found = typedItem(items, m_typed.toStdString(), start);
    if (found < 0)
        return false;
    if (found != box->currentIndex()) {
        box->setCurrentIndex(found);
        Q_EMIT box->activated(found);
    }
    return true;
}

void installListSearch(QCoreApplication *app)
{
    if (!app || app->findChild<ListSearch *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new ListSearch(app));
}
