#include "app/FrmSetLanguage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "kernel/AppContext.h"
#include "kernel/IniDocument.h"
#include "lang/MessageService.h"
#include "lang/Messages.h"
#include "lang/QtText.h"

namespace {

constexpr TextEntry kCaption{"", "Language Setup", "语言设置"};
constexpr TextEntry kLanguageMode{"", "Language Mode", "语言模式"};

} // namespace

FrmSetLanguage::FrmSetLanguage(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_label1(new QLabel(this))
    , m_combo1(new QComboBox(this))
    , m_command1(new QPushButton(this))
    , m_command2(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmSetLanguage"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_label1->setBuddy(m_combo1);
    m_combo1->setMinimumContentsLength(12);
    m_combo1->installEventFilter(this);
    m_command1->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_label1, 0, 0);
    layout->addWidget(m_combo1, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_command1, &QPushButton::clicked, this, &FrmSetLanguage::chooseLanguage);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);

    relabel();
    fillLanguages();
}

void FrmSetLanguage::relabel()
{
    setWindowTitle(qText(m_context.text(kCaption)));
    m_label1->setText(qText(m_context.text(kLanguageMode)));
    m_command1->setText(qText(m_context.text(ButtonTexts::kOk)));
    m_command2->setText(qText(m_context.text(ButtonTexts::kCancel)));
}

void FrmSetLanguage::fillLanguages()
{
    const LanguageState &language = m_context.language;
    m_combo1->addItem(qText(languageName(English, language.languageIndex)));
    // The language in force is offered too, a stored Chinese on a system that does not offer
    // Chinese included, so that OK keeps it and English can always be chosen instead.
    if (language.chineseOffered() || language.languageIndex == Chinese)
        m_combo1->addItem(qText(languageName(Chinese, language.languageIndex)));
    m_combo1->setCurrentIndex(
        m_combo1->findText(qText(languageName(language.languageIndex, language.languageIndex))));
}

void FrmSetLanguage::chooseLanguage()
{
    LanguageState &language = m_context.language;
    const QString chosen = m_combo1->currentText();
    int newIndex = language.languageIndex;
    if (chosen == qText(languageName(English, language.languageIndex)))
        newIndex = English;
    else if (chosen == qText(languageName(Chinese, language.languageIndex)))
        newIndex = Chinese;
    if (newIndex != language.languageIndex) {
        language.shownLanguage = language.languageIndex;
        language.languageIndex = newIndex;
    }
    storeLanguage(m_context);
    accept();
}

void storeLanguage(AppContext &context)
{
    if (!context.setupIni->writeString("language", "CurrentLanguage",
                                       std::to_string(context.language.languageIndex)))
        context.messages->inform(context.text(Messages::kFileError), MessageIcon::Warning);
}

bool FrmSetLanguage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
