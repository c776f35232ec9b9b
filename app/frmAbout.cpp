#include "app/frmAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Messages.h"
#include "lang/QtText.h"

namespace {

constexpr TextEntry kCaption{"", "About ORX-740", "关于 ORX-740"};
constexpr TextEntry kVersion{"", "Version %1", "版本 %1"};
constexpr TextEntry kDescription{"",
                                 "Programming software for the ORX-740 mobile transceiver:\n"
                                 "read, edit, save and write the radio's channels and settings.",
                                 "ORX-740 车载电台写频软件：\n"
                                 "读取、编辑、保存并写入电台的信道和设置。"};
constexpr TextEntry kBuiltWith{"", "Built with Qt %1", "基于 Qt %1 构建"};

} // namespace

frmAbout::frmAbout(int language, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(language == Chinese ? QStringLiteral("frmAboutChinese")
                                      : QStringLiteral("frmAbout"));
    setWindowTitle(qText(textFor(kCaption, language)));
    setModal(true);

    auto *name = new QLabel(QStringLiteral("ORX-740"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont font = name->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    name->setFont(font);
    auto *version =
        new QLabel(qText(withArgument(textFor(kVersion, language), ORX740_VERSION_TEXT)), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description = new QLabel(qText(textFor(kDescription, language)), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    auto *builtWith =
        new QLabel(qText(withArgument(textFor(kBuiltWith, language), QT_VERSION_STR)), this);
    builtWith->setObjectName(QStringLiteral("lblQtVersion"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(qText(textFor(ButtonTexts::kOk, language)),
                                         QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("CommandOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addWidget(builtWith);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
