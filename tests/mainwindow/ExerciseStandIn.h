#pragma once
// Stands in for the exercise window in the main window's tests: records every call of the Exercise menu's start, shows which mode was
// chosen, and on closing gives the main window its toolbar strip back, as
// the exercise window does.

#include "exercise/ExerciseHost.h"
#include "exercise/ExerciseLaunch.h"

#include <QStringList>
#include <QWidget>

class QLabel;

namespace tav {

class ExerciseStandIn : public QWidget, public ExerciseWindowLink {
    Q_OBJECT

public:
    explicit ExerciseStandIn(ExerciseHost &host);

    QWidget *Form() override { return this; }
    void BindRound(const QString &sql, const QString &criteria) override;
    void GridScribble() override;
    void ProcessExercise() override;
    void SelectTab(int n) override;
    int CurrentTab() const override { return m_tab; }
    void GetPos(long long ID, const QString &Text, int FieldIndex) override;
    void Form_Resize() override;

    // The calls in order, as "BindRound", "GridScribble", "ProcessExercise",
    // "SelectTab(2)", "GetPos(5, remark, 12)", "Form_Resize".
    const QStringList &Calls() const { return m_calls; }
    int SelectedTab() const { return m_tab; }
    QString BoundSql() const { return m_sql; }
    QString BoundCriteria() const { return m_criteria; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ExerciseHost &m_host;
    QLabel *m_text;
    QStringList m_calls;
    int m_tab = 0;
    QString m_sql;
    QString m_criteria;
};

// The stand-in routines: the recording window ExerciseStandIn and a draw that
// leaves PickCriteria as it is.
ExerciseRoutines StandInExerciseRoutines();

} // namespace tav
