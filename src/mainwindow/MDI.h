#pragma once
// The main window: an MDI frame that holds the list windows and the exercise
// window as child windows, with the menus, the toolbar strip (print image and
// search strip), the left panel (category tree, letter filter, Show button,
// remarks boxes, grip), the grammar panel at the bottom and the status bar
// with its seven panels.
//
// Controls keep their design names as object names (arrays as "tbFind(0)")
// and as private members; other windows reach the frame through their hosts,
// and Control() finds a control by its name.
// The procedures are spread over files by subject:
//   MDI.cpp          frame, Load, Resize, closing, child windows, left panel
//   MdiLaunch.cpp    exercise start, print launch, help and About
//   MdiTree.cpp      the category tree and the initial-letter list
//   MdiShow.cpp      the Show button's list requests
//   MdiSearch.cpp    the search strip, the remarks boxes, the settings dialog
// The grammar panel (src/inflection) holds the inflection views; MDI keeps
// their public names and forwards them to it.

#include "inflection/GrammarHost.h"
#include "exercise/ExerciseLaunch.h"
#include "store/MainWindowLink.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class HTMLHelp;
class P001;

namespace flexgrid {
class FlexGrid;
}

namespace winsys {
class StatusPanel;
class TextBox;
}

namespace tav {

class About;
class ExerciseWindowLink;
class GrammarPanel;
class ListWindow;
class ListOpeners;
class MdiExerciseHost;
class MdiListHost;
class PanelScroll;
class Sorry;
class Splash;

// The client area that puts a window's frame, of the given widths, exactly
// in the work area. Widths that cannot be a frame's (negative ones, or a
// quarter of the area) count as none: a window manager still framing a
// window can report its frame's passing size as widths.
QRect ClientAreaIn(const QRect &area, const QMargins &frame);

class MDI : public QMainWindow, public MainWindowLink, public GrammarHost {
    Q_OBJECT

public:
    explicit MDI(QWidget *parent = nullptr);
    ~MDI() override;

    // What the word store asks of the main window.
    void ShowSplash() override;
    void UnloadSplash() override;
    void ShowMain() override;
    // Shown in a message box; the splash gives way to it (Splash hides
    // itself when a dialog opens).
    void TellAtStart(const Notice &notice) override;
    int AskAtStart(const Notice &question) override;
    void SetPanelText(int panel, const QString &text) override;
    QString PanelText(int panel) const override;
    QSize DesktopSize() const override;
    int CountGridForms() const override;
    void RefreshStatusBar() override;
    void RunBusy(const QString &what, const std::function<void()> &work) override;
    void SetPrintEntries(bool enabled, const QString &caption, const QString &toolTip) override;
    void SetWindowMenusEnabled(bool enabled) override;
    void SetKlinEnabled(bool enabled) override;
    QList<ChildWindow> ChildWindows() const override;
    QList<ListWindowLink *> OpenListWindows() const override;

    // The keys (MdiKeys.cpp). F1: the help page of what has the focus, else
    // of the active child window, else the contents page.
    QString HelpTopic() const;
    void ShowHelpTopic();
    // The help window at a page of the help file (a dialog's own page).
    void ShowHelpPage(const QString &page);
    // Tab and Shift+Tab: the next or previous stop among the active child
    // window, the grammar panel, the left panel and the toolbar strip; false
    // when there is none.
    bool MoveTabFocus(bool next);
    // F6 and Shift+F6: the focus to the next or previous of the active child
    // window, the grammar panel and the left panel.
    void MoveToArea(bool next);
    // Activates the child window and gives it the focus where it had it
    // last (else at its first stop).
    void FocusChild(QMdiSubWindow *sub);

    // The one Sorry window, filled and shown modeless.
    void ShowSorry(const QString &Message, const QString &Text, bool GreekFont);
    Sorry *SorryInstance() const;

    // Public procedures.
    void ExerciseWhat(int Kind);
    void CloseChildren();
    void cboTree_Click();
    void BaseFrase() override;
    void MDIForm_Resize() override;
    // The height the child windows keep above the grammar panel: what the
    // open exercise asks for, else room for a list.
    void KeepRoomForExercise(bool open);
    void DeMenos(long color, long long lngID, int wordKind, bool showImperative);
    void DeKlino(long color, long long lngID) override;
    void DeKlino(long color, long long lngID, int wordKind);
    void NounDeKlino(long color, long long lngID, int genus, int wordKind);
    void DeKonju(long color, long long lngID, const QString &voice);
    void ReturnLista(bool NoJump);
    void JulText();
    void JulGran() override;
    void SmallFacts(long long lngID, const QString &StrLat = QString(), int iGridType = 0);
    void OpVoiceCheck(long long lngID);
    void OpVoiceSwitch(int intVoice);
    void mnuFirstParts_Click(int Index);
    void PopupConjugations(const QPoint &globalPos) override;
    // Key handling of the grammar grids' cell editors; the Greek-key check of
    // a whole text.
    void KeyDownEdits(flexgrid::FlexGrid &MSFlexgrid, QLineEdit &Edt, int KeyCode);
    static void TavValid(QString &text, bool &valid);

    // What the grammar panel asks of its window.
    QWidget *HostWindow() override { return this; }
    ListWindowLink *ActiveList() const override;
    winsys::TextBox *RemarksBox() override { return tbRem; }
    winsys::TextBox *RemarksBox3() override { return tbRemG3; }
    QList<QLineEdit *> ResultBoxes() override { return {tbFind[0], tbFind[1]}; }
    // The word shown, set by the grammar panel and the exercise window (0:
    // none); panel 3 shows its ID. The remarks boxes store for it.
    void ShowWordID(long long ID) override;
    long long ShownWordID() const { return m_shownWordID; }
    QAction *ConjugationEntry(int index) override;

    // Event handlers of the frame.
    void MDIForm_Load();
    void MDIForm_QueryUnload();
    void MDIForm_Unload();
    void mnuArkivs_Click(int Index);
    void mnuCloseAll_Click();
    void mnuExParts_Click(int Index);
    void mnuOptionParts_Click(int Index);
    void mnuNodeFirstParts_Click(int Index);
    void picRemarks_Resize();
    // X in twips within the grip.
    void lblGrip_MouseDown(Qt::MouseButton Button, int X);
    void imgPrintNorm_MouseDown(Qt::MouseButton Button);
    void imgPrintNorm_MouseMove(Qt::MouseButtons Buttons, const QPoint &pos);
    void imgPrintNorm_MouseUp(Qt::MouseButton Button);
    void imgPrintNorm_Click();
    void mnuPrintParts_Click(int Index);
    void mnuHelpParts_Click(int Index);

    // The category tree and the letter filter (MdiTree.cpp).
    void tv1_NodeClick(QTreeWidgetItem *Node);
    void tv1_Collapse(QTreeWidgetItem *Node);
    void tv1_Expand(QTreeWidgetItem *Node);
    // pos in the tree's viewport coordinates.
    void tv1_MouseDown(Qt::MouseButton Button, const QPoint &pos);
    void ShowNodePopup(const QPoint &pos);
    // The menu key and Shift+F10: the pop-up of the current node, beside it.
    void ShowCurrentNodePopup();
    // A node's key and tag; the node of a key (nullptr when there is none).
    static QString NodeKey(const QTreeWidgetItem *Node);
    static QString NodeTag(const QTreeWidgetItem *Node);
    QTreeWidgetItem *FindNode(const QString &key) const;
    // The selected node, nullptr when none is.
    QTreeWidgetItem *SelectedNode() const;

    // The list requests of the Show button (MdiShow.cpp).
    void cmdShow_Click();

    // The search strip and the remarks boxes (MdiSearch.cpp). KeyAscii is
    // set to 0 when the key was handled.
    void tbSearch_KeyPress(int &KeyAscii);
    void cmdSearch_Click();
    void tbSearch_Change();
    void cmdClear_Click();
    void opForm_Click(int Index);
    void tbRem_KeyPress(int &KeyAscii);
    void tbRemG3_KeyPress(int &KeyAscii);
    // Stores the typing of a remarks box that Enter has not stored yet, as
    // Enter would (to the word shown), with the same checks and messages.
    // False when a remark was refused or failed: it stays in its box.
    bool StoreTypedRemarks();
    // True when Text may be stored as the remark of word ID that the box
    // shows: the stored remark, read here, is still the one the box was
    // filled with, or the user says so (winsys::StoreOverNewerValue). Else
    // the box shows the stored remark (or, where it cannot be read, keeps
    // the text after telling why).
    bool mayStoreRemark(winsys::TextBox &box, long long id, const QString &text);
    // The remarks boxes and then the grammar panel's cell editors, as
    // above: a child window that closes stores them first (after the last
    // one the panel shows its base state again). A text that is refused
    // or fails is let go only when the user chooses to discard it
    // (DiscardRefusedText): false when the user goes back to it.
    bool LeavePanelTyping();
    // The same for every place that holds typing: the panel's places and
    // the list windows' editors. False when the user goes back to a text
    // that could not be stored; the program does not end then.
    bool LeaveOpenTyping();

    // Shows the settings dialog modally (MdiSearch.cpp).
    void frmOptions_Show();

    // The child windows of the MDI client, in their order; the active one
    // (the current one while the frame itself is not active).
    QList<QWidget *> ChildForms() const;
    QWidget *ActiveForm() const;
    // Shows a window as a child of the MDI client; returns its frame. A list
    // window comes with its link, through which the frame then addresses it.
    QMdiSubWindow *AddChild(QWidget *form, ListWindowLink *list = nullptr);
    // Shows a list window as a child, with its link; printing reaches its
    // grid and headings through it.
    QMdiSubWindow *AddChild(ListWindow &list);
    // Shows the exercise window as a child; from then on it is the one
    // ExerciseInstance gives.
    QMdiSubWindow *AddChild(ExerciseWindowLink &exercise);
    // The list window a child form is; nullptr for another window.
    ListWindowLink *ListWindowOf(const QWidget *form) const;
    // The same as the list window itself (its grid prints, its kind picks
    // its help page); nullptr for a child added with its link only.
    ListWindow *PrintableListOf(const QWidget *form) const;

    // The left panel's width in twips; the grip's bounds.
    int LeftPanelWidth() const;
    static constexpr int MinLeftPanelWidth = 1700;
    // Room (twips) the grip always leaves for the MDI client.
    static constexpr int MinClientWidth = 2880;
    int MaxLeftPanelWidth() const;
    // The width (twips) the left panel opens with: enough for the tree's
    // captions, also with the longest letter name added, and the letter
    // filter beside them; at least DefaultLeftPanelWidth and at most two
    // fifths of the window. A width the user chose with the grip is kept.
    static constexpr int DefaultLeftPanelWidth = 3600;
    int FittedLeftPanelWidth() const;

    // Form-level variables.
    int ExerciseKind = 0;
    QString LetterFont;
    std::unique_ptr<HTMLHelp> HelpObject;

    // What failed during the last Load (empty when everything ran).
    QStringList LoadFailures() const { return m_loadFailures; }

    // Replaceable steps, for start-up measurements and tests: the Load's
    // pause (PauseBriefly), the end of the program (Unload), and the exercise
    // routines (the program installs the exercise window's; none by default).
    std::function<void()> Pause;
    std::function<void()> EndProgram;
    ExerciseRoutines Exercises;

    // The single instances of the other windows: the print window exists
    // with this one, the others are created on first use.
    ExerciseWindowLink *ExerciseInstance() const;
    P001 *PrintInstance() const { return m_print.get(); }
    About *AboutInstance() const;
    Splash *SplashInstance() const;

    // The print image's two other pictures: up and pressed.
    QPixmap imgPrintUp;
    QPixmap imgPrintDn;

    // A control by its object name (its design name; arrays as "tbFind(0)",
    // menu entries as "mnuExParts(1)"), for tests and for checks of the
    // program's own; nullptr when there is none of that type.
    template <class T = QWidget>
    T *Control(const QString &name) const
    {
        return qobject_cast<T *>(findControl(name, T::staticMetaObject));
    }
    // The grammar panel at the bottom.
    GrammarPanel &Grammar() const { return *grammar; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class MdiExerciseHost;
    friend class MdiListHost;

    // The frame's own control of that name and type, passing over the child
    // windows in the client area (a list window has an "lblFlag" too).
    QObject *findControl(const QString &name, const QMetaObject &type) const;

    // Controls, private: other windows reach the frame through their hosts
    // (GrammarHost, ListWindowHost, ExerciseHost). Menus and their entries.
    QMenu *mnuArkiv = nullptr;
    QMenu *mnuPrint = nullptr;
    QAction *mnuPrintParts0 = nullptr;
    QAction *mnuArkivs1004 = nullptr;
    QMenu *mnuEx = nullptr;
    QAction *mnuExParts[ExerciseCount] = {};
    QMenu *mnuWindows = nullptr;
    QMetaObject::Connection m_screenWatch;
    QObject *m_dialogWatch = nullptr;
    QAction *mnuCloseAll = nullptr;
    QMenu *mnuOption = nullptr;
    QAction *mnuOptionParts[2] = {};
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpParts[2] = {};
    QMenu *mnuConjugations = nullptr;
    QMenu *mnuFirst = nullptr;
    QAction *mnuFirstParts[3] = {};
    QMenu *mnuNodes = nullptr;
    QMenu *mnuNodeFirst = nullptr;
    QAction *mnuNodeFirstParts0 = nullptr;

    // The toolbar strip.
    QWidget *picToolbar = nullptr;
    QLabel *imgPrintNorm = nullptr;
    QLabel *lblFlag = nullptr;
    QRadioButton *opForm[2] = {};
    QLineEdit *tbSearch = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdClear = nullptr;
    QLineEdit *tbFind[2] = {};

    // The left panel.
    QWidget *picRemarks = nullptr;
    QTreeWidget *tv1 = nullptr;
    QComboBox *cboTree = nullptr;
    QPushButton *cmdShow = nullptr;
    winsys::TextBox *tbRem = nullptr;
    winsys::TextBox *tbRemG3 = nullptr;
    QLabel *lblRem = nullptr;
    QLabel *lblRem3 = nullptr;
    QLabel *lblGrip = nullptr;

    // The client area, the grammar panel and the status bar.
    QMdiArea *mdiClient = nullptr;
    QWidget *picBottom = nullptr;
    PanelScroll *m_panelScroll = nullptr; // the grammar panel's frame
    QWidget *m_middle = nullptr;          // the left panel and the child windows
    // The toolbar strip's two groups and whether they stand in two rows.
    QGridLayout *m_toolbarRows = nullptr;
    QWidget *m_searchLead = nullptr;
    QWidget *m_searchBoxes = nullptr;
    bool m_toolbarTwoRows = false;
    void fitToolbarRows();
    int m_listRoom = 0; // the height the child windows keep for a list
    GrammarPanel *grammar = nullptr;
    QWidget *picsGreysUpsAndDowns = nullptr;
    QStatusBar *stsStatusBar = nullptr;

    // The widths of the window manager's frame around the window, as the
    // window system reports them now; none before the window is shown.
    QMargins frameWidths() const;
    void buildMenus();
    void buildToolbar();
    void buildLeftPanel();
    void buildStatusBar();
    void buildKeys();
    void fillWindowList();
    void onChildActivated(QMdiSubWindow *window);
    void setLeftPanelWidth(int twips);
    // Runs one step of the Load; a failure is noted and the Load goes on.
    void loadStep(const QString &what, const std::function<void()> &step);
    void startExercise();
    // The help object, created on first use, set to the program's help file
    // and its "Main" window.
    HTMLHelp &helpFile();

    winsys::StatusPanel *m_panels[7] = {};
    QStringList m_loadFailures;
    bool m_resizing = false;
    int m_resizeAttempts = 0;
    QMargins m_placedFrame; // the frame widths the window was last placed with
    bool m_unloaded = false;
    bool m_gripDragging = false;
    bool m_panelWidthChosen = false; // the user moved the grip
    int m_treeTextWidth = 0;         // pixels the widest caption needs
    void fitLeftPanel();
    // Measures the room the tree's captions need (m_treeTextWidth).
    void measureTree();
    int m_gripPressX = 0;
    QPointer<Splash> m_splash;
    QPointer<About> m_about;
    QPointer<Sorry> m_sorry;
    QPointer<QWidget> m_exerciseWindow;
    ExerciseWindowLink *m_exercise = nullptr;
    // The list windows among the children, each with its link.
    struct ListChild {
        QPointer<QWidget> form;
        ListWindowLink *link;
        ListWindow *window; // null for a child added with its link only
    };
    QList<ListChild> m_listChildren;
    QMdiSubWindow *addChild(QWidget *form, ListWindowLink *list, ListWindow *window);
    long long m_shownWordID = 0;
    std::unique_ptr<P001> m_print;

    // The tree, the letter filter, the search strip and the remarks boxes.
    void connectTreeAndSearch();
    // Fills cboTree with "-" and the Greek or the Latin letters and selects "-".
    void loadLetters(bool greek);
    // Empties the search box and the two empty-result boxes.
    void clearSearchBoxes();
    void setSearchFont(const QString &family, int pointSize);
    std::unique_ptr<MdiListHost> m_listHost;
    std::unique_ptr<MdiExerciseHost> m_exerciseHost;
    std::unique_ptr<ListOpeners> m_listRequests;
    std::unique_ptr<QObject> m_remarksKeys;
    bool m_buildingTree = false;
};

} // namespace tav
