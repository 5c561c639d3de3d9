#pragma once
// The grammar panel: the bottom panel of the main window (picBottom) that
// shows one word at a time. SmallFacts reads the word from Main and picks a
// view by word class: the conjugation of a verb (DeKonju), the declension of
// an adjective (DeKlino) or a noun (NounDeKlino), a verb's participle and
// imperatives (DeMenos); BaseFrase returns to the base state, the definite
// article's declension. The views lay out two rows of heading labels
// (lblTopLine, lblUnderLine) over the grid msflxKlin and, for the
// imperatives, msflXImp.
//
// Lengths are twips, colours 0xBBGGRR numbers. The procedures are spread
// over files by view:
//   GrammarPanel.cpp      controls, SmallFacts, BaseFrase, voice menu, tbAP/tbPP
//   PanelHeadings.cpp     SetGridFont, SetGridHeadings, PlaceHeadingLines
//   ConjugationView.cpp   DeKonju, opHad_Click, opSimple_Click
//   DeclensionViews.cpp   DeKlino, NounDeKlino
//   ParticipleView.cpp    DeMenos

#include "store/FormQueries.h"
#include "inflection/InflectionWriteBack.h"
#include "inflection/PanelState.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace flexgrid {
class FlexGrid;
}

namespace tav {

class CaptionArray;
class GrammarHost;
class ListWindowLink;

// Background colours of the views' cells.
inline constexpr long ColorWhite = 0xFFFFFF;  // conjugation
inline constexpr long ColorYellow = 0xFFFF;   // base state, composed columns
inline constexpr long ColorGreen = 0xFF00;    // declensions and participles
inline constexpr long ColorPaleCyan = 0xFFFFC0; // imperatives
// The Klino row that holds the definite article.
inline constexpr long long ArticleID = 99999;

class GrammarPanel : public QObject {
    Q_OBJECT

public:
    // Creates the panel's controls inside picBottom.
    GrammarPanel(GrammarHost &host, QWidget *picBottom);
    ~GrammarPanel() override;

    // Load step: the grids under the two heading rows, seven rows high;
    // returns the height picBottom needs (twips).
    int PlaceGrids();

    // Shows the word lngID. StrLat: the meaning the caller shows (simple
    // lists); iGridType 0 plain, 3 a simple list's row, 33 a "Passive
    // participle" row of an inflected-form list, 66 another row of one.
    void SmallFacts(long long lngID, const QString &StrLat, int iGridType);
    // The base state: no word, the article's declension in yellow.
    void BaseFrase();
    // Enables the voice entries of the Conjugations menu by the word's AP and
    // PP and shows them in tbAP and tbPP; clears every check mark.
    void OpVoiceCheck(long long lngID);
    // 0 checks the active entry, 1 the passive one.
    void OpVoiceSwitch(int intVoice);

    // The views (wordKind 0: omitted).
    void DeKonju(long MyColor, long long ID, const QString &Voice);
    void DeKlino(long MyColor, long long ID, int wordKind = 0);
    void NounDeKlino(long MyColor, long long ID, int varGenus, int wordKind);
    void DeMenos(long MyColor, long long ID, int wordKind, bool boLines);

    // Event handlers.
    void opHad_Click(int Index);
    void opSimple_Click(int Index);
    void mnuFirstParts_Click(int Index);
    // Enter stores the box's text as the word's AP (tbAP) or PP (tbPP);
    // KeyAscii is set to 0 when the key was handled.
    void tbAP_KeyPress(int &KeyAscii);
    void tbPP_KeyPress(int &KeyAscii);
    // Editing the grids' forms (InflectionEditing.cpp). An edit keeps the
    // word, cell and table it was opened on; Grid_GotFocus commits it.
    void Grid_Click(flexgrid::FlexGrid &grid);
    void Grid_EnterCell(flexgrid::FlexGrid &grid);
    void Grid_KeyDown(flexgrid::FlexGrid &grid, int KeyCode, int Shift = 0);
    void Grid_KeyPress(flexgrid::FlexGrid &grid, int &KeyAscii);
    void Grid_GotFocus(flexgrid::FlexGrid &grid);
    void Editor_GotFocus(flexgrid::FlexGrid &grid, QLineEdit &editor);
    // The key filter: a Greek key, and no more than a form may hold.
    void Editor_KeyPress(QLineEdit &editor, int &KeyAscii);
    // Enter commits, Esc cancels; Up and Down move the grid's row while no
    // edit is open.
    void KeyDownEdits(flexgrid::FlexGrid &grid, QLineEdit &editor, int KeyCode);
    // Hides the editors and forgets an open edit.
    void CancelEdit();
    // Stores what an open editor holds as Enter would, with the same checks
    // and messages. True when no typing is left open; false when it was
    // refused or failed and the editor is open again with the typed text.
    bool StoreOpenEdit();
    // At a close: StoreOpenEdit, and a refused text is dropped when the
    // user chooses so (DiscardRefusedText); false when the user goes back.
    bool LeaveOpenEdit();
    // Whether the grid's current cell holds a stored form of the word shown.
    bool IsEditableCell(const flexgrid::FlexGrid &grid) const;
    // Lower-cases text and tells whether every character is a Greek key.
    static void TavValid(QString &text, bool &valid);

    // Gives the focus back to the active list window's grid, on the row
    // below the one it had unless NoJump. Nothing when the active child is
    // not a list window.
    void ReturnLista(bool NoJump);

    // The word the panel shows.
    const PanelState &State() const { return m_state; }

    // Which Conjugations entry was chosen last: 0 active, 1 passive,
    // 2 participles and imperatives.
    bool VoiceMenuChoice(int Index) const { return m_voiceMenuChoice[Index]; }
    void SetVoiceMenuChoice(int Index, bool Chosen) { m_voiceMenuChoice[Index] = Chosen; }

    // The grids of the forms (msflxKlin) and of the imperatives (msflXImp),
    // for the frame's scrolling and enabling.
    flexgrid::FlexGrid *FormsGrid() const { return msflxKlin; }
    flexgrid::FlexGrid *ImperativesGrid() const { return msflXImp; }

protected:
    // The grids follow the panel's height.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Tests read and drive the controls through it.
    friend struct GrammarPanelProbe;

    bool m_voiceMenuChoice[3] = {false, false, false};

    // Controls. The heading arrays keep element 0 unused: element 1 is the
    // design label, 2.. are loaded by the views.
    QList<QLabel *> lblTopLine;
    QList<QLabel *> lblUnderLine;
    flexgrid::FlexGrid *msflxKlin = nullptr;
    flexgrid::FlexGrid *msflXImp = nullptr;
    QLineEdit *tbN = nullptr;   // cell editor of msflxKlin; its Tag names the table shown
    QLineEdit *tbImp = nullptr; // cell editor of msflXImp
    QLineEdit *tbAP = nullptr;
    QLineEdit *tbPP = nullptr;
    QLabel *lblAP = nullptr;
    QLabel *lblPP = nullptr;
    QFrame *fraSimple = nullptr;
    QFrame *fraHad = nullptr;
    QFrame *fraVoice = nullptr;
    QLabel *lblVoice = nullptr;
    QRadioButton *opHad[2] = {};
    QRadioButton *opSimple[2] = {};

    // Editing (InflectionEditing.cpp).
    struct CellEdit {
        bool active = false; // EditActive: from the editor's focus until the grid takes the text back
        flexgrid::FlexGrid *grid = nullptr;
        QLineEdit *editor = nullptr;
        long long wordID = 0;
        int row = 0, col = 0;
        FormCell cell;
        QString oldText;
    };
    void connectEditing();
    QLineEdit *editorOf(const flexgrid::FlexGrid &grid) const;
    FormCell cellForm(const flexgrid::FlexGrid &grid, int row, int col) const;
    void syncEditorFont(flexgrid::FlexGrid &grid);
    void moveOn(flexgrid::FlexGrid &grid);
    void reopenEdit(const CellEdit &edit, const QString &typed);
    // True when Form may be stored over the cell's form as stored now, read
    // here: it is still the one the edit was opened on, or the user says
    // so (winsys::StoreOverNewerValue). Else the cell shows the stored form.
    bool mayStoreOver(const CellEdit &edit, const QString &tag, const QString &form);
    void showStoredForm(const FormCell &cell, const QString &form);
    QString shownForm(const flexgrid::FlexGrid &grid, int row, const QString &form) const;
    // A grid with the keyboard focus hands it on before a view refills the
    // grids (see handFocusOn in GrammarPanel.cpp).
    void handFocusOn();
    // A view starts drawing the word ID (the article's row: no word).
    void beginView(long long ID);
    // The texts composed from a stored form (an article, a compound tense)
    // follow its edit.
    void showComposedCells(const CellEdit &edit, const QString &form);
    CellEdit m_edit;
    int m_commits = 0; // editors taken back by their grid, so that Enter commits once

    // Headings (PanelHeadings.cpp).
    void SetGridFont(flexgrid::FlexGrid &grid, const CaptionArray &captions);
    void SetGridHeadings(flexgrid::FlexGrid &grid, int TopCount, int UnderCount, const CaptionArray &TopCaptions,
                         const CaptionArray &UnderCaptions, int TopStart, int UnderStart, bool Flag);
    void PlaceHeadingLines();
    QLabel *loadHeading(QList<QLabel *> &array);
    // Hides the labels the view handed back and did not take again.
    void hideUnloadedHeadings();
    // Puts the conjugation's own heading labels into the arrays, in place
    // of another view's.
    void useConjugationHeadings();
    // Gives a loaded heading the look of element 1 (its place and colour
    // are left to the view).
    void restyleHeading(QLabel *label, const QLabel *first);
    void hideConjugationFrames();
    // Places the under-line labels, from firstLabel on, over the data
    // columns of the grid.
    void placeUnderLines(flexgrid::FlexGrid &grid, int firstLabel);
    // A top-line label over the under-line labels first to last.
    void spanHeading(QLabel *top, int first, int last);
    void fitGridWidth(flexgrid::FlexGrid &grid);
    int rowsHeight(const flexgrid::FlexGrid &grid, int rows = -1) const;
    // The panel's least and greatest height, and the grids' heights in the
    // height it is given.
    void fitPanelHeight();
    void fitGridHeights();
    void showFirstRows();
    void fitPanelWidth();
    int lineAllowance(const flexgrid::FlexGrid &grid) const;
    void autoSizeColumns(flexgrid::FlexGrid &grid, int Factor);
    QList<int> textWidths(const flexgrid::FlexGrid &grid) const;
    // Floors (twips, per grid and column) below which fitColumns narrows no
    // column: the width each column's heading needs.
    using ColumnFloors = QList<QList<int>>;
    void fitColumns(const QList<flexgrid::FlexGrid *> &grids, int excess, const ColumnFloors &floors = {});
    // The width (twips) an under-line heading needs to show Caption whole.
    int headingWidth(const QString &Caption) const;
    void setEditorTag(QLineEdit *editor, const QString &tag);

    // Conjugation columns (ConjugationView.cpp).
    void fillCompoundColumn(long long ID, const QString &voice, const QString *knownS3 = nullptr);
    FormRow fillColumn5(long long ID, const QString &voice);
    int conjugationColumnWidth(const flexgrid::FlexGrid &g) const;
    QList<int> conjugationNeeds(const flexgrid::FlexGrid &g) const;
    void shareConjugationWidth(flexgrid::FlexGrid &g, int columnWidth);
    void layOutConjugation();
    void fitChangedColumn(int col);

    // Panel state and its mirrors.
    void setVoice(const QString &voice);
    void setVerb(long long ID);
    void setShownWord(long long ID);
    void showThirdLanguage(const WordRecord &lang, const QString &StrLat);
    void clearVoiceChecks();
    void showVoiceForms(const WordRecord &main);
    // The verb boxes as wide as their longer form, never narrower than
    // designed and never over the room column 1's headings need for their
    // captions; a form that still does not fit shows its start.
    void fitVoiceBoxes();
    void setMainTextBoxesEnabled(bool enabled, bool clear);
    void storeVoiceForm(QLineEdit *box, const QString &field, int &KeyAscii);
    // The form a verb box showed when the word was shown (Esc brings it back).
    void restoreVoiceBox(QLineEdit *box);
    QString m_voiceShown[2];
    ListWindowLink *activeList() const;

    QList<QLabel *> m_unloadedTop, m_unloadedUnder; // heading labels kept for the next view
    // The conjugation's controls over the heading rows: its headings past
    // element 1, the option frames and the verb boxes. They stay shown in
    // this layer, which shows and hides them together: showing a widget
    // costs a round trip to the window system (where the mouse pointer is)
    // when it appears, so that a dozen widgets appearing one by one made
    // the step from a noun to a verb wait for a dozen. The layer stands in
    // the verb layer beside the A and P captions, which only a verb shows:
    // the verb layer shows or hides the captions, and with them the
    // conjugation's layer.
    QWidget *m_verbLayer = nullptr;
    QWidget *m_conjugationLayer = nullptr;
    void showVoiceCaptions(bool shown);
    static constexpr int kConjugationTopCount = 3, kConjugationUnderCount = 5; // the last element of each array
    QList<QLabel *> m_conjugationTop, m_conjugationUnder;
    bool m_conjugationHeadings = false; // the arrays hold the conjugation's own headings
    // The widths of column 1's two captions, measured again only when a
    // caption or its font changes: the verb boxes are fitted for every verb.
    struct CaptionWidth {
        QString text;
        QFont font;
        int width = 0;
    };
    CaptionWidth m_captionWidths[2];
    GrammarHost &m_host;
    QWidget *m_picBottom;
    PanelState m_state;
    QStringList m_articleForms; // the article's six forms of the noun view's gender
};

} // namespace tav
