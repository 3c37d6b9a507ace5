#include "ui/FrmAbout.h"

#include "app/Version.h"
#include "ui/Artwork.h"
#include "ui/Controls.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quillmark"));
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* product = new QLabel(QStringLiteral("Quillmark"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont large = product->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    product->setFont(large);
    const std::string_view number = ProgramVersion();
    auto* version = new QLabel(QStringLiteral("Version ") +
                                   QLatin1String(number.data(), static_cast<qsizetype>(number.size())),
                               this);
    version->setObjectName(QStringLiteral("Version"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bnOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    DialogLooks(this);
}
