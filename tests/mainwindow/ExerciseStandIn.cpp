#include "ExerciseStandIn.h"


#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tav {

ExerciseStandIn::ExerciseStandIn(ExerciseHost &host) : m_host(host)
{
    setObjectName(QStringLiteral("Exercise"));
    setWindowTitle(QStringLiteral("Exercise"));
    m_text = new QLabel(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
}

void ExerciseStandIn::BindRound(const QString &sql, const QString &criteria)
{
    m_calls << QStringLiteral("BindRound");
    m_sql = sql;
    m_criteria = criteria;
}

void ExerciseStandIn::GridScribble() { m_calls << QStringLiteral("GridScribble"); }

void ExerciseStandIn::ProcessExercise() { m_calls << QStringLiteral("ProcessExercise"); }

void ExerciseStandIn::SelectTab(int n)
{
    m_calls << QStringLiteral("SelectTab(%1)").arg(n);
    m_tab = n;
    static const char *const modes[] = {"by reading and typing", "by choosing alternatives", "choose only verbs"};
    m_text->setText(n >= 1 && n <= 3 ? QString::fromLatin1(modes[n - 1]) : QString());
}

void ExerciseStandIn::GetPos(long long ID, const QString &Text, int FieldIndex)
{
    m_calls << QStringLiteral("GetPos(%1, %2, %3)").arg(ID).arg(Text).arg(FieldIndex);
}

void ExerciseStandIn::Form_Resize() { m_calls << QStringLiteral("Form_Resize"); }

void ExerciseStandIn::closeEvent(QCloseEvent *event)
{
    m_host.ShowToolbar(true);
    event->accept();
}

ExerciseRoutines StandInExerciseRoutines()
{
    ExerciseRoutines routines;
    routines.PickRandomWords = [] {};
    routines.CreateWindow = [](ExerciseHost &host) -> ExerciseWindowLink * { return new ExerciseStandIn(host); };
    return routines;
}

} // namespace tav
