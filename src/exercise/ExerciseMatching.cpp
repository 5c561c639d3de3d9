// The word-matching exercise: a round's Greek words beside their meanings,
// one side dealt as shuffled tiles that are dragged onto their rows.
#include "exercise/Exercise.h"

#include "mainwindow/UpDown.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav {

void Exercise::buildMatching(QWidget *page)
{
    auto *column = new QVBoxLayout(page);
    auto *bar = new QHBoxLayout;
    cmdTest = new QPushButton(QStringLiteral("Show"), page);
    cmdTest->setObjectName(QStringLiteral("cmdTest"));
    bar->addWidget(cmdTest);
    for (int i = 0; i < 2; ++i) {
        cmdGo[i] = new QPushButton(i == 0 ? QStringLiteral("Random Greek") : QStringLiteral("Random 2:nd"), page);
        cmdGo[i]->setObjectName(QStringLiteral("cmdGo(%1)").arg(i));
        bar->addWidget(cmdGo[i]);
    }
    lblAntal = new QLabel(page);
    lblAntal->setObjectName(QStringLiteral("lblAntal"));
    lblAntal->setAlignment(Qt::AlignCenter);
    lblAntal->setMinimumWidth(24);
    UpAntal = new UpDown(page);
    UpAntal->setObjectName(QStringLiteral("UpAntal"));
    UpAntal->SetRange(1, 10);
    UpAntal->SetBuddy(lblAntal);
    bar->addWidget(new QLabel(QStringLiteral("Words"), page));
    bar->addWidget(lblAntal);
    bar->addWidget(UpAntal);
    auto *question = new QGroupBox(QStringLiteral("Meanings in"), page);
    auto *questionBox = new QHBoxLayout(question);
    for (int i = 0; i < 2; ++i) {
        opOne[i] = new QRadioButton(i == 0 ? QStringLiteral("English") : QString(), question);
        opOne[i]->setObjectName(QStringLiteral("opOne(%1)").arg(i));
        questionBox->addWidget(opOne[i]);
        connect(opOne[i], &QRadioButton::clicked, this, [this, i] { opOne_Click(i); });
    }
    bar->addWidget(question);
    bar->addStretch(1);
    column->addLayout(bar);
    column->addStretch(1);
}

void Exercise::GridScribble() {}

} // namespace tav
