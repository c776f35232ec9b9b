#include "options/OptionBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include <array>

#include "lang/QtText.h"
#include "model/QtRecordTextCodec.h"
#include "options/OptionRules.h"
#include "radio/SettingsRecord.h"

namespace {

// The public-channel frames name their boxes Combo2 (CB), Combo6 (HF) and Combo7 (HAM).
constexpr std::array<int, 3> kPublicArrayNumber{2, 6, 7};

QString controlName(const OptionRow &row)
{
    const QString index = QString::number(row.index);
    switch (row.control) {
    case OptionControl::Combo1:
        return QStringLiteral("Combo1_") + index;
    case OptionControl::PublicBox:
        return QStringLiteral("Combo%1_")
                   .arg(kPublicArrayNumber.at(static_cast<std::size_t>(row.publicSet))) +
               index;
    case OptionControl::Check1:
        return QStringLiteral("check1_") + index;
    case OptionControl::Text2:
        return QStringLiteral("Text2_") + index;
    case OptionControl::Text4:
        return QStringLiteral("Text4_") + index;
    }
    return {};
}

QString labelName(const OptionRow &row)
{
    const QString index = QString::number(row.index);
    switch (row.control) {
    case OptionControl::Combo1:
        return QStringLiteral("Label1_") + index;
    case OptionControl::PublicBox:
        return QStringLiteral("Label%1_")
                   .arg(kPublicArrayNumber.at(static_cast<std::size_t>(row.publicSet))) +
               index;
    case OptionControl::Text2:
        return QStringLiteral("LabelText2_") + index;
    case OptionControl::Text4:
        return QStringLiteral("LabelText4_") + index;
    case OptionControl::Check1:
        break;
    }
    return {};
}

int maxLength(const OptionRow &row)
{
    if (row.control == OptionControl::Text4 && row.index < 12)
        return 3;
    if (row.control == OptionControl::Text4 && row.index == 13)
        return 16;
    return 8;
}

// The key filter and the select-all on entry of the text boxes.
class TextBoxFilter : public QObject
{
public:
    TextBoxFilter(const OptionRow &row, QObject *parent)
        : QObject(parent)
        , m_row(row)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = static_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
                key->matches(QKeySequence::Cut))
                return true;
            const QString text = key->text();
            for (const QChar c : text)
                if (!textBoxTakesKey(m_row, c.unicode()))
                    return true;
        }
        return false;
    }

private:
    const OptionRow &m_row;
};

} // namespace

OptionBinder::OptionBinder(QWidget *owner, SettingsSource settings)
    : QObject(owner)
    , m_owner(owner)
    , m_settings(std::move(settings))
{
    const auto rows = optionRows();
    m_bindings.reserve(rows.size());
    for (const OptionRow &row : rows)
        makeControl(row);
}

void OptionBinder::makeControl(const OptionRow &row)
{
    QWidget *control = nullptr;
    QLabel *label = nullptr;
    if (row.control != OptionControl::Check1) {
        label = new QLabel(m_owner);
        label->setObjectName(labelName(row));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    switch (row.control) {
    case OptionControl::Combo1:
    case OptionControl::PublicBox: {
        auto *combo = new QComboBox(m_owner);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        // Never narrower than its longest item: the window scrolls instead.
        combo->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        // The wheel changes a box only once it has been clicked or tabbed into.
        combo->setFocusPolicy(Qt::StrongFocus);
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, &row] { Q_EMIT choiceMade(row); });
        control = combo;
        break;
    }
    case OptionControl::Check1: {
        auto *check = new QCheckBox(m_owner);
        connect(check, &QCheckBox::toggled, this, [this, &row] { Q_EMIT choiceMade(row); });
        control = check;
        break;
    }
    case OptionControl::Text2:
    case OptionControl::Text4: {
        auto *edit = new QLineEdit(m_owner);
        edit->setMaxLength(maxLength(row));
        // Only the characters the filter lets through reach the box: no pasting through a menu,
        // a drop or an input method.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->installEventFilter(new TextBoxFilter(row, edit));
        connect(edit, &QLineEdit::textEdited, this, [this, &row] { Q_EMIT textEdited(row); });
        connect(edit, &QLineEdit::editingFinished, this, [this, &row] { Q_EMIT textLeft(row); });
        control = edit;
        break;
    }
    }
    control->setObjectName(controlName(row));
    if (label)
        label->setBuddy(control);
    m_bindings.push_back({&row, control, label});
}

const OptionBinder::Binding *OptionBinder::binding(OptionControl control, int index,
                                                   int publicSet) const
{
    for (const Binding &b : m_bindings)
        if (b.row->control == control && b.row->index == index &&
            (control != OptionControl::PublicBox || b.row->publicSet == publicSet))
            return &b;
    return nullptr;
}

QWidget *OptionBinder::control(const OptionRow &row) const
{
    const Binding *b = binding(row.control, row.index, row.publicSet);
    return b ? b->control : nullptr;
}

QLabel *OptionBinder::label(const OptionRow &row) const
{
    const Binding *b = binding(row.control, row.index, row.publicSet);
    return b ? b->label : nullptr;
}

QComboBox *OptionBinder::combo1(int index) const
{
    const Binding *b = binding(OptionControl::Combo1, index);
    return b ? static_cast<QComboBox *>(b->control) : nullptr;
}

QComboBox *OptionBinder::publicBox(int set, int index) const
{
    const Binding *b = binding(OptionControl::PublicBox, index, set);
    return b ? static_cast<QComboBox *>(b->control) : nullptr;
}

QCheckBox *OptionBinder::check1(int index) const
{
    const Binding *b = binding(OptionControl::Check1, index);
    return b ? static_cast<QCheckBox *>(b->control) : nullptr;
}

QLineEdit *OptionBinder::text2(int index) const
{
    const Binding *b = binding(OptionControl::Text2, index);
    return b ? static_cast<QLineEdit *>(b->control) : nullptr;
}

QLineEdit *OptionBinder::text4(int index) const
{
    const Binding *b = binding(OptionControl::Text4, index);
    return b ? static_cast<QLineEdit *>(b->control) : nullptr;
}

void OptionBinder::fillRow(const Binding &binding, int language)
{
    auto *combo = qobject_cast<QComboBox *>(binding.control);
    if (!combo)
        return;
    const QSignalBlocker blocker(combo);
    combo->clear();
    QStringList items;
    for (const std::string &item : optionItems(*binding.row, m_settings(), language, vfoKeyShown))
        items << qText(item);
    combo->addItems(items);
}

void OptionBinder::fill(int language)
{
    for (const Binding &b : m_bindings)
        fillRow(b, language);
    showRecord(language);
}

void OptionBinder::fill(int language, ItemSource source)
{
    for (const Binding &b : m_bindings) {
        if (b.row->items.source == source && qobject_cast<QComboBox *>(b.control)) {
            fillRow(b, language);
            showRow(*b.row, language);
        }
    }
}

void OptionBinder::showRecord(int language)
{
    for (const Binding &b : m_bindings)
        showRow(*b.row, language);
}

void OptionBinder::showRow(const OptionRow &row, int language)
{
    QWidget *widget = control(row);
    const SettingsRecord &settings = m_settings();
    const QSignalBlocker blocker(widget);
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        // A stored value with no item to show selects nothing.
        combo->setCurrentIndex(
            combo->findText(qText(shownText(row, settings, language, vfoKeyShown))));
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        check->setChecked(shownChecked(row, settings));
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        edit->setText(qText(textBoxText(row, settings, systemRecordTextCodec())));
    }
}

void OptionBinder::relabel(int language)
{
    for (const Binding &b : m_bindings) {
        const QString text = qText(textFor(b.row->label, language));
        if (b.label)
            b.label->setText(text);
        else if (auto *check = qobject_cast<QCheckBox *>(b.control))
            check->setText(text);
    }
}

void OptionBinder::storeControl(const OptionRow &row, SettingsRecord &settings) const
{
    QWidget *widget = control(row);
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->currentIndex() >= 0)
            storeChoice(row, settings, combo->currentIndex(), stdText(combo->currentText()));
    } else if (auto *check = qobject_cast<QCheckBox *>(widget)) {
        const int checked = check->isChecked() ? 1 : 0;
        storeChoice(row, settings, checked, {});
    } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
        enterText(row, settings, stdText(edit->text()), systemRecordTextCodec());
    }
}

const OptionRow *OptionBinder::rowForIdentifier(int identifier)
{
    for (const OptionRow &row : optionRows())
        if (saveIdentifier(row) == identifier)
            return &row;
    return nullptr;
}
