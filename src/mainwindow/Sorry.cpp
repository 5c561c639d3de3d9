#include "mainwindow/Sorry.h"

#include "platform/winsys/Twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav {

Sorry::Sorry(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Sorry"));
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto *column = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        tbMSG[i] = new QLineEdit(this);
        tbMSG[i]->setObjectName(QStringLiteral("tbMSG(%1)").arg(i));
        tbMSG[i]->setReadOnly(true);
        column->addWidget(tbMSG[i]);
    }
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    column->addWidget(OKButton, 0, Qt::AlignRight);
    connect(OKButton, &QPushButton::clicked, this, &Sorry::OKButton_Click);
    resize(winsys::TwipsToPixelsX(4800), sizeHint().height());
    Form_Load();
}

void Sorry::Form_Load() { setWindowTitle(QStringLiteral("Tavrinel")); }

void Sorry::OKButton_Click() { close(); }

} // namespace tav
