#pragma once
// The grammar panel's controls, which tests read and drive directly; the
// panel keeps them to itself.

#include "inflection/GrammarPanel.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tav {

struct GrammarPanelProbe {
    explicit GrammarPanelProbe(GrammarPanel &p)
        : lblTopLine(p.lblTopLine), lblUnderLine(p.lblUnderLine), tbN(p.tbN), tbImp(p.tbImp), tbAP(p.tbAP),
          tbPP(p.tbPP), lblAP(p.lblAP), lblPP(p.lblPP), fraSimple(p.fraSimple), fraHad(p.fraHad),
          fraVoice(p.fraVoice), lblVoice(p.lblVoice), opHad(p.opHad), opSimple(p.opSimple)
    {
    }
    const QList<QLabel *> &lblTopLine;
    const QList<QLabel *> &lblUnderLine;
    QLineEdit *tbN;
    QLineEdit *tbImp;
    QLineEdit *tbAP;
    QLineEdit *tbPP;
    QLabel *lblAP;
    QLabel *lblPP;
    QFrame *fraSimple;
    QFrame *fraHad;
    QFrame *fraVoice;
    QLabel *lblVoice;
    QRadioButton *const (&opHad)[2];
    QRadioButton *const (&opSimple)[2];
};

} // namespace tav

namespace tavtest {

inline tav::GrammarPanelProbe PanelProbe(tav::GrammarPanel &p) { return tav::GrammarPanelProbe(p); }

} // namespace tavtest
