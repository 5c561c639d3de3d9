#pragma once
// The exercise window's controls and state that tests read and drive
// directly; the window keeps them to itself.

#include "exercise/Exercise.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace tav {

struct ExerciseProbe {
    explicit ExerciseProbe(Exercise &e)
        : AnswerLangText(e.AnswerLangText), ShownWordID(e.ShownWordID), RimaVerbID(e.RimaVerbID), rows(e.rows),
          picRows(e.picRows), verbRows(e.verbRows), tbEngR(e.tbEngR), lblVoice(e.lblVoice), lblHit(e.lblHit),
          lblAction(e.lblAction), lblCorrect(e.lblCorrect), cmdTestR(e.cmdTestR), cmdGoR(e.cmdGoR),
          tbsOptions(e.tbsOptions), picOptions(e.picOptions), cmdReset(e.cmdReset), CmdEnter(e.CmdEnter),
          CmdFlush(e.CmdFlush), lblLabels(e.lblLabels), shTest(e.shTest), lstRepa(e.lstRepa), tbErr(e.tbErr),
          upRepa(e.upRepa), lblFails(e.lblFails), opDbas(e.opDbas), opTimer(e.opTimer), Timer1(e.Timer1),
          opZero(e.opZero), opOne(e.opOne), cmdTest(e.cmdTest), cmdGo(e.cmdGo), UpAntal(e.UpAntal),
          CboTempi(e.CboTempi), DataCheck(e.DataCheck)
    {
    }
    const QString &AnswerLangText;
    const long long &ShownWordID;
    long long &RimaVerbID;
    const QVector<Exercise::MatchRow> &rows;
    QWidget *picRows;
    const QVector<Exercise::VerbRow> &verbRows;
    QLineEdit *tbEngR;
    QLabel *lblVoice;
    QLabel *lblHit;
    QLabel *lblAction;
    QLabel *lblCorrect;
    QPushButton *cmdTestR;
    QPushButton *cmdGoR;
    QTabWidget *tbsOptions;
    QWidget *const (&picOptions)[ExerciseCount];
    QPushButton *cmdReset;
    QPushButton *CmdEnter;
    QPushButton *CmdFlush;
    QLabel *const (&lblLabels)[4];
    const QList<QFrame *> &shTest;
    QListWidget *const (&lstRepa)[3];
    QLineEdit *tbErr;
    winsys::UpDown *upRepa;
    QLabel *lblFails;
    QRadioButton *const (&opDbas)[2];
    QRadioButton *const (&opTimer)[3];
    QTimer *Timer1;
    QRadioButton *const (&opZero)[2];
    QRadioButton *const (&opOne)[2];
    QPushButton *cmdTest;
    QPushButton *const (&cmdGo)[2];
    winsys::UpDown *UpAntal;
    QComboBox *CboTempi;
    datactl::DataControl *DataCheck;
};

} // namespace tav

namespace tavtest {

inline tav::ExerciseProbe ExProbe(tav::Exercise *e) { return tav::ExerciseProbe(*e); }

} // namespace tavtest
