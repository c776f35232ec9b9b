#include "lang/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "lang/LanguageState.h"

namespace {

struct ButtonText
{
    QMessageBox::StandardButton button;
    TextEntry text;
};

constexpr ButtonText kButtonTexts[]{
    {QMessageBox::Ok, {"", "OK", "确定"}},
    {QMessageBox::Cancel, {"", "Cancel", "取消"}},
    {QMessageBox::Yes, {"", "&Yes", "是(&Y)"}},
    {QMessageBox::No, {"", "&No", "否(&N)"}},
    {QMessageBox::Discard, {"", "&Discard", "不保存(&D)"}},
};
constexpr TextEntry kSaveTrace{"", "Save &Trace...", "保存通信记录(&T)..."};
constexpr TextEntry kSave{"", "&Save", "保存(&S)"};

QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OkSaveTrace:
        return QMessageBox::Ok | QMessageBox::Save;
    case MessageButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageService::QtMessageService(const LanguageState &language)
    : m_language(language)
{}

MessageAnswer QtMessageService::ask(std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(boxIcon(icon), QStringLiteral("ORX-740"), message, standardButtons(buttons),
                    QApplication::activeWindow());
    for (const ButtonText &entry : kButtonTexts) {
        if (QAbstractButton *button = box.button(entry.button))
            button->setText(QString::fromUtf8(m_language.text(entry.text)));
    }
    const bool saveTrace = buttons == MessageButtons::OkSaveTrace;
    if (QAbstractButton *save = box.button(QMessageBox::Save))
        save->setText(QString::fromUtf8(m_language.text(saveTrace ? kSaveTrace : kSave)));
    // Closing the box answers Cancel, or No when there is no Cancel button.
    if (!box.button(QMessageBox::Cancel) && box.button(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    if (saveTrace) {
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    } else if (buttons == MessageButtons::SaveDiscardCancel) {
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Save:
        return saveTrace ? MessageAnswer::SaveTrace : MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkSaveTrace
                   ? MessageAnswer::Ok
                   : MessageAnswer::Cancel;
    }
}
