#pragma once
// The grammar panel: the controls of the main window's bottom panel
// (picBottom) that show the inflections of one word: the heading label rows
// lblTopLine and lblUnderLine over the grids msflxKlin and msflXImp, the verb
// boxes tbAP and tbPP, the frames of the conjugation options and the voice.
//
// The main window's Load places the grids and resets the panel (BaseFrase);
// the word views (SmallFacts, DeKonju, DeKlino, NounDeKlino, DeMenos) are
// filled in by the inflection work. Until then they leave the panel in its
// base state.

#include <QList>
#include <QObject>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace flexgrid {
class FlexGrid;
}

namespace tav {

class MDI;

class GrammarPanel : public QObject {
    Q_OBJECT

public:
    // Creates the panel's controls inside picBottom.
    GrammarPanel(MDI &mdi, QWidget *picBottom);

    // Load step 7: the grids under the two heading rows, seven rows high;
    // returns the height picBottom needs (twips).
    int PlaceGrids();
    // The reset to the base state (no word shown).
    void BaseFrase();

    void SmallFacts(long long lngID, const QString &StrLat, int iGridType);
    void DeKlino(long color, long long lngID, int wordKind);
    void NounDeKlino(long color, long long lngID, int genus, int wordKind);
    void DeKonju(long color, long long lngID, const QString &voice);
    void DeMenos(long color, long long lngID, int wordKind, bool showImperative);
    void OpVoiceCheck(long long lngID);
    void OpVoiceSwitch(int intVoice);
    void ReturnLista(bool NoJump);

    // The last base-state request (color, ID) DeKlino received; for tests
    // until the declension view exists.
    long LastDeKlinoColor() const { return m_lastColor; }
    long long LastDeKlinoID() const { return m_lastID; }

    // Controls.
    QList<QLabel *> lblTopLine;   // element 1 is the only label (index 0 unused)
    QList<QLabel *> lblUnderLine; // likewise
    flexgrid::FlexGrid *msflxKlin = nullptr;
    flexgrid::FlexGrid *msflXImp = nullptr;
    QLineEdit *tbAP = nullptr;
    QLineEdit *tbPP = nullptr;
    QLabel *lblAP = nullptr;
    QLabel *lblPP = nullptr;
    QFrame *fraSimple = nullptr;
    QFrame *fraHad = nullptr;
    QFrame *fraVoice = nullptr;
    QLabel *lblVoice = nullptr;

private:
    MDI &m_mdi;
    long m_lastColor = 0;
    long long m_lastID = 0;
};

} // namespace tav
