// The verb-form exercise: the six person forms of a verb in one tense, dealt
// as shuffled tiles that are dragged into their order.
#include "exercise/Exercise.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tav {

void Exercise::buildVerbs(QWidget *page)
{
    auto *column = new QVBoxLayout(page);
    auto *bar = new QHBoxLayout;
    CboTempi = new QComboBox(page);
    CboTempi->setObjectName(QStringLiteral("CboTempi"));
    bar->addWidget(CboTempi);
    bar->addStretch(1);
    column->addLayout(bar);
    column->addStretch(1);
}

void Exercise::ProcessExercise() {}

} // namespace tav
