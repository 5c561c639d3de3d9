#pragma once
// The exercise window: one child window of the main window in which the three
// exercises run, one tab each (tbsOptions): 0 the traditional exercise (see,
// remember and type the meaning), 1 word matching, 2 verb forms in order.
// Controls keep their design names as object names ("txtFields(2)") and as
// members. The round logic lives in widget-free controllers (exercise/rounds);
// the handlers here forward the user's actions to them and show the result.
//
// The procedures are spread over files by subject:
//   Exercise.cpp            frame, Load, Activate, tabs, options, closing
//   ExerciseTraditional.cpp the traditional exercise and the repetition list
//   ExerciseMatching.cpp    the word-matching exercise
//   ExerciseVerbs.cpp       the verb-form exercise

#include "exercise/rounds/TileRound.h"
#include "exercise/rounds/TraditionalRound.h"
#include "exercise/ExerciseLaunch.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QVector>
#include <QWidget>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace datactl {
class DataControl;
}

namespace winsys {
class UpDown;
}

namespace tav {

class DragTile;
class DropPlace;
class ExerciseHost;
class PageFold;

class Exercise : public QWidget, public ExerciseWindowLink {
    Q_OBJECT

public:
    // The window reaches the main window only through host.
    explicit Exercise(ExerciseHost &host, QWidget *parent = nullptr);
    ~Exercise() override;

    // What the main window asks of the window.
    QWidget *Form() override { return this; }
    QSize sizeHint() const override;
    void BindRound(const QString &sql, const QString &criteria) override;
    void GridScribble() override;
    void ProcessExercise() override;
    void SelectTab(int n) override;
    int CurrentTab() const override;

    // The frame (Exercise.cpp).
    void Form_Load();
    void Form_Activate();
    void Form_Resize() override;
    void Form_QueryUnload();
    // The screen's work area (WorkArea, in screen coordinates) changed: the
    // active child window of the main window, whichever it is, is fitted to
    // the part of the client area within it, when in the normal state.
    void SysInfo1_DisplayChanged(const QRect &WorkArea);
    void tbsOptions_Click();
    void GetPos(long long ID, const QString &Text, int FieldIndex) override;
    // The two settings the window writes itself; false when the write failed
    // (reported; the setting keeps its stored value).
    bool UpDateOptions_BoChecka(bool Value);
    bool UpDateScribble(int Value);

    // The traditional exercise (ExerciseTraditional.cpp).
    void cmdReset_Click();
    void CmdEnter_Click();
    void Timer1_Timer();
    // The answer field: 33 while the third language is complete and chosen
    // as the answer language, else 3; the count field is AF * 2.
    int AnswerField() const;

    // The repetition list and the store (ExerciseTraditional.cpp).
    void SetboRepa();
    void CmdFlush_Click();

    TraditionalRound &Round() { return m_round; }
    // The traditional page's fields by their design index (nullptr for none).
    QLineEdit *txtFields(int Index) const { return m_txtFields.value(Index); }

    // The word-matching exercise (ExerciseMatching.cpp). Rows count from 1;
    // Side 0 is the Greek side (tbMoveGre, tbTestGre), 1 the meanings.
    void cmdTest_Click();
    void cmdGo_Click(int Index);
    void tbMove_MouseDown(int Side, int Index);
    void tbMove_OLECompleteDrag(int Side, int Index);
    const TileRound &MatchRound() const { return m_match; }

    struct MatchRow {
        QLineEdit *tbGre = nullptr;
        QLineEdit *tbEng = nullptr;
        DropPlace *tbTestGre = nullptr;
        DropPlace *tbTestEng = nullptr;
        QLabel *lblSvar = nullptr;
        DragTile *tbMoveGre = nullptr;
        DragTile *tbMoveEng = nullptr;
        QLabel *lblMove = nullptr;
    };

    // The verb-form exercise (ExerciseVerbs.cpp). Rows count from 1.
    void CboTempi_Click();
    void cmdGoR_Click();
    void tbMoveGreR_MouseDown(int Index);
    void tbMoveGreR_OLECompleteDrag(int Index);
    const TileRound &VerbRound() const { return m_verb; }

    struct VerbRow {
        QLabel *lblPers = nullptr;
        QLineEdit *tbGreR = nullptr;
        DropPlace *tbTestGreR = nullptr;
        QLabel *lblSvarR = nullptr;
        DragTile *tbMoveGreR = nullptr;
        QLabel *lblMoveR = nullptr;
    };

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Tests read and drive the controls and the window's state through it.
    friend struct ExerciseProbe;

    // Window-level state.
    bool boLoading = false;
    long long StoreCount = 0;
    QString AnswerLangText;
    long long ShownWordID = 0;
    long long RimaVerbID = 0;
    int GreRowIndex = 0;
    QString Caption1099;

    // The word-matching exercise.
    int DragTileIndex = 0;
    bool DropMatched = false;
    QVector<MatchRow> rows;
    QWidget *picRows = nullptr;

    // The verb-form exercise.
    QString RimaCriteria;
    int DragTileIndexR = 0;
    bool DropMatchedR = false;
    QVector<VerbRow> verbRows;
    QWidget *picRowsR = nullptr;
    QLineEdit *tbEngR = nullptr;
    QLabel *lblVoice = nullptr;
    QLabel *lblHit = nullptr;
    QLabel *lblAction = nullptr;
    QLabel *lblCorrect = nullptr;
    QLabel *lblInstruct = nullptr;
    QPushButton *cmdTestR = nullptr;
    QPushButton *cmdGoR = nullptr;

    // Controls.
    QTabWidget *tbsOptions = nullptr;
    QWidget *picOptions[ExerciseCount] = {};
    PageFold *typingFold = nullptr; // folds the typing page's rows to the window's width
    QPushButton *cmdReset = nullptr;
    QPushButton *CmdEnter = nullptr;
    QPushButton *CmdFlush = nullptr;
    QLabel *lblLabels[4] = {};
    QLabel *lblCorr1128 = nullptr;
    QWidget *shTestStrip = nullptr;
    QList<QFrame *> shTest;
    QListWidget *lstRepa[3] = {};
    QLineEdit *tbErr = nullptr;
    QLabel *lblRepa = nullptr;
    winsys::UpDown *upRepa = nullptr;
    QLabel *lblFails = nullptr;
    QRadioButton *opDbas[2] = {};
    QCheckBox *checkDbs = nullptr;
    QLabel *imgStatusRepa[2] = {};
    QWidget *fraTimer = nullptr;
    QRadioButton *opTimer[3] = {};
    QTimer *Timer1 = nullptr;
    QWidget *Frame2 = nullptr;
    QRadioButton *opZero[2] = {};
    QRadioButton *opOne[2] = {};
    QLabel *lblex[5] = {};
    QPushButton *cmdTest = nullptr;
    QPushButton *cmdGo[2] = {};
    winsys::UpDown *UpAntal = nullptr;
    QLabel *lblAntal = nullptr;
    QComboBox *CboTempi = nullptr;
    datactl::DataControl *DataCheck = nullptr;
    datactl::DataControl *DataWrong = nullptr;
    datactl::DataControl *Data2ndTavrinel = nullptr;
    datactl::DataControl *Data1 = nullptr;
    datactl::DataControl *Data2 = nullptr;

    // The handlers and steps that only the window itself calls.
    // The traditional exercise and the repetition list (ExerciseTraditional.cpp).
    void PrepareExerciseWords();
    // KeyAscii 13 in the answer box (Index 2), Next (3) or the timer (22);
    // set to 0 when the key was used.
    void txtFields_KeyPress(int Index, int &KeyAscii);
    void txtFields_GotFocus(int Index);
    void txtFields_KeyDown(int Index);
    void FieldSixes(int Index);
    void txtSets(int AF);
    void CheckAnswer(int AF);
    void LoadShapes(const QVector<bool> &SpotColors, int MeaningCount, int Verdict);
    void CleanColorSpots();
    void ClearWrongIDs();
    void lblRepa_Change(int value);
    // The store's count shown: the source options, panel 5 and the flush.
    void lblFails_Change(long long count);
    void checkDbs_Click();

    // The frame (Exercise.cpp).
    void opOne_Click(int Index);
    void opZero_Click(int Index);

    // The word-matching exercise (ExerciseMatching.cpp).
    void BoxLoad();
    void PreBox(int Index);
    void lblAntal_Change(int value);
    void tbTest_OLEDragOver(int Side, int Index, const QString &Text);
    void tbTest_OLEDragDrop(int Side, int Index, const QString &Text);
    void tbGre_GotFocus(int Index);

    // The verb-form exercise (ExerciseVerbs.cpp).
    // Draws the verb of a round: one with all six forms of a voice in Table.
    void setRIMATag(const QString &Table);
    void GridRima();
    void BoxLoadR();
    void cmdTestR_Click();
    void PreBoxR();
    void tbTestGreR_OLEDragOver(int Index, const QString &Text);
    void tbTestGreR_OLEDragDrop(int Index, const QString &Text);
    void tbEngR_Change();

    // The three tabs, their pages and the keys that switch them.
    void buildTabs();
    // Follows the client area's size, the screens' work areas and the
    // activation of this window among the host's children.
    void followHost();
    QVector<QMetaObject::Connection> m_appWatch;
    // The "See, remember and type" page, one builder per panel; each panel
    // creates its widgets in the page's tab order.
    void buildTraditional(QWidget *page, PageFold &fold);
    QBoxLayout *buildQuestionPanel(QWidget *page, const QFont &greek);
    QBoxLayout *buildAnswerRow(QWidget *page);
    // Adds the markers' line and the hidden count fields to column.
    void buildVerdictRows(QWidget *page, QBoxLayout *column);
    QBoxLayout *buildSourcePanel(QWidget *page);
    QWidget *buildSourceOptions(QWidget *page);
    QBoxLayout *buildRepeatRow(QWidget *page);
    QBoxLayout *buildStoreRow(QWidget *page);
    QBoxLayout *buildOptionRows(QWidget *page);
    QBoxLayout *buildRepaCaption(QWidget *page);
    QBoxLayout *buildRepaLists(QWidget *page, const QFont &greek);
    void buildMatching(QWidget *page);
    QBoxLayout *buildMatchingBar(QWidget *page);
    QWidget *buildMeaningsRow(QWidget *page);
    void buildVerbs(QWidget *page);
    QBoxLayout *buildVerbsBar(QWidget *page);
    QLineEdit *makeField(int index, QWidget *parent);
    // The round's word on screen: the bound fields, the ID panel, the grammar
    // panel; the timer starts when selected.
    void showDrawnWord(const TraditionalRound::Draw &draw);
    // The source options follow a source switch of the round.
    void showSource();
    void fillRepaLists();
    void setAnswerOptionsEnabled(bool enabled);
    void setTimerOptionsEnabled(bool enabled);
    void showStoreCount(long long count);
    void setCaption(const QString &text);

    // Places the matching rows across the width of picRows, the text columns
    // sharing it by the length of their texts.
    void layoutRows();
    // Paints the places of a side white, the hovered one (1-based) in HoverColor.
    void paintPlaces(int Side, int Hovered = 0, long HoverColor = 0xFFFFFF);
    // A Greek word of the matching rows got the focus; false for other widgets.
    bool matchFocus(QObject *watched);
    void verbProgress();
    // Binds the rows of sql that pass criteria to the data control.
    void makeExercise(datactl::DataControl &control, const QString &sql, const QString &criteria);

    ExerciseHost &m_host;
    // The first Start was pressed: cmdReset reads "Reset" from then on.
    bool m_started = false;
    QWidget *m_clientView; // compared only: the client area's viewport, watched for its size
    TraditionalRound m_round;
    TileRound m_match;
    int m_dealSide = -1;
    QStringList m_matchTexts[2];
    QStringList m_matchTags;
    QVector<long long> m_matchIds;
    TileRound m_verb;
    QSet<long long> m_pickedVerbs;
    QHash<int, QLineEdit *> m_txtFields;
    bool m_shapesShown = false;
};

// The exercise routines the main window's Exercise menu uses: the round's
// draw (PickRandomWords) and this window.
ExerciseRoutines ExerciseWindowRoutines();

} // namespace tav
