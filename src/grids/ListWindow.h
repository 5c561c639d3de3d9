#pragma once
// What the two list windows (GridStd, GridSimple) share: the grid msFlxMulti
// filled from the window's query, the search box and its button, the refresh
// button, the labels that other windows read (lblInfo, lblCol, lblRow), the
// place among the main window's child windows, and the in-cell editor.
//
// The in-cell editor tbN lies over the current cell. F2, Delete or a typed
// key opens it on columns 2 and above; Enter (or a click back into the grid)
// commits, Esc discards. The commit hands the text (tab stops and line breaks
// made blanks, trimmed) to the window's CommitCell, which stores it or
// refuses it (RefuseEdit); a text with another control character, or made
// only of commas and blanks, is refused before. A refused or failed edit
// reopens the editor over the same cell, an accepted one moves the cursor on
// to the next visible column.
//
// An editor belongs to the row it was opened on (its word and, where a word
// has several rows, the row's key): a refresh, a sort or a deletion that
// re-binds or moves the rows closes it first and opens it again over that
// row, holding what was typed; when the row is gone (or its word deleted,
// or the window closed by the program) the user is told that the typed text
// was not stored. A commit stores only into the row's word, and only over
// the value the editor was opened on: where another window stored a newer
// one meanwhile, the user is asked (winsys::StoreOverNewerValue).

#include "grids/FlexGridLink.h"
#include "platform/recordset/Recordset.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "store/ListWindowLink.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include <optional>

class QFrame;

class QLineEdit;
class QPushButton;
class QStyle;

namespace tav {

class ListWindow : public QWidget {
    Q_OBJECT

public:
    // Makes a window in its normal state smaller where the client area no
    // longer holds it.
    void KeepInsideArea();
    // Name: the window's name, "GridStd" or "GridSimple".
    explicit ListWindow(const QString &Name, QWidget *parent = nullptr);
    ~ListWindow() override;

    // The refresh button's icon in a style. A style's first icon lookup
    // reads the icon theme, which takes several milliseconds: the main
    // window asks for it once while it waits, so that the first list opened
    // does not.
    static QIcon FreshIcon(const QStyle &style);

    // The grid msFlxMulti, for the print window and the keys of the frame.
    flexgrid::FlexGrid *Grid() const { return m_grid; }

    // Shows the window as a child of the main window (cascaded below the
    // list windows already open); on its own when there is no main window.
    void ShowWindow();
    // Closes the window; it is deleted afterwards.
    void CloseWindow();
    void SetWindowCaption(const QString &Caption);
    QMdiSubWindow *SubWindow() const { return m_subWindow; }
    // The window as the store and the main window address it.
    virtual ListWindowLink &ListLink() = 0;
    // The grid as the store addresses it.
    GridLink &GridOf() { return m_gridLink; }

    // The editor model.
    void msFlxMulti_KeyDown(int &KeyCode, int Shift);
    void msFlxMulti_KeyPress(int &KeyAscii);
    void msFlxMulti_LeaveCell();
    void msFlxMulti_GotFocus();
    // The editor's keys: Enter commits, Esc discards, Up and Down move the
    // row while no edit is under way.
    void KeyDownEdits(int KeyCode);
    // Stores what the open editor holds as Enter would, with the same checks
    // and messages. True when no typing is left open (there was none, it
    // was stored, or it changed nothing); false when it was refused or
    // failed: the editor is open again with the typed text.
    bool StoreOpenEdit();
    // At a close: StoreOpenEdit; a refused text is dropped when the user
    // chooses so (DiscardRefusedText). False when the user goes back to it.
    bool LeaveOpenEdit();

    // The search within the list: cmdS starts it or goes on to the next hit
    // and shows where it stands; a changed or emptied search box starts over.
    void cmdS_Click();
    void txtSearch_Change();
    GridSearch SearchState() const { return m_search; }
    // Refreshes every open list window.
    void cmdFresh_Click();

    // The row-entry handler: remembers the cell, fills the labels and shows
    // the row's word in the grammar panel (status panel 4 is cleared for a
    // window whose rows have no meanings to show there). Does nothing while
    // GridBusy or SaveBusy is set.
    void ShowCellInfo();

    // True when this is the list the user is in: the main window's current
    // child window (a window shown on its own always is).
    bool IsCurrentList() const;

    // lblInfo shows a text of the grammar panel (an English meaning), in the
    // window's font.
    void ShowInfo(const QString &Text);

    // Runs the query again and lays the view out anew with the cell (Row,
    // Col) current; a list left without rows closes. Errors are reported.
    // Only the list the user is in takes the focus and shows its word in the
    // grammar panel; the others keep still.
    void EditHelp(int Row, int Col);
    // Stores Value in the field at FieldPos of the word's Main row when it
    // differs, then runs the query again on the same cell; clears SaveBusy.
    // A word no longer in Main is reported and nothing is stored.
    void WriteMainField(long long ID, const QString &Value, int FieldPos);

    // The size the window wants for its grid and buttons (pixels); applied
    // while the window is in its normal state. (Not its size hint: the
    // client area grows to its children's hints, and the frame with it.)
    QSize WantedSize() const { return m_wanted; }
    // A column's width as the layout fitted it to its texts (twips), before
    // the columns were widened to fill the window.
    int FittedWidth(int Col) const;
    // What the window shows over one of its columns in place of its grid's
    // hidden heading row: the words (empty: nothing is shown over it) and
    // the font they are shown in.
    struct ColumnHeading {
        QString Text;
        QFont Font;
    };
    // The two kinds of list, for what differs between them on paper.
    enum class Kind { Standard, Simple };
    virtual Kind ListKind() const = 0;
    // What the window hands the print window: its kind and, by column of
    // its grid, the heading each column is printed with.
    struct Printout {
        Kind ListKind = Kind::Standard;
        QVector<ColumnHeading> Headings;
    };
    Printout PrintedList() const;
    // The heading a column is printed with: what is shown over it, unless
    // a window heads it otherwise on paper.
    virtual ColumnHeading PrintedHeading(int Col) const { return ShownHeading(Col); }
    // What is shown over a column: the words of the first heading button
    // laid over it that is shown and has words.
    ColumnHeading ShownHeading(int Col) const;
    // That button; null when none is.
    const QPushButton *HeadingOver(int Col) const;

protected:
    // Controls the two kinds of list lay out.
    flexgrid::FlexGrid *m_grid = nullptr; // msFlxMulti; made before m_gridLink, which binds it
    QLineEdit *txtSearch = nullptr;
    QPushButton *cmdS = nullptr;
    QPushButton *cmdFresh = nullptr;
    QLabel *lblInfo = nullptr;
    // The bookkeeping labels other windows read (through ListWindowLink).
    QLabel *lblCol = nullptr;
    QLabel *lblRow = nullptr;

    // The rows shown (the data control's recordset), the query and filter
    // they came from, the title part of the caption and the sort choice.
    dao::RecordsetPtr Data1;
    QString tbQ;
    QString lblFilter;
    QString lblCap;
    int lblSortValue = 0;

    // The word of the current row and the cell last entered.
    long long WordID = 0;
    int SavedCol = 0;
    int SavedRow = 0;

    // The stored text of the cell being edited, and whether its edit was
    // refused (the editor reopens).
    QString OldCellText;
    bool EditRefused = false;

    // Places lblInfo. Its size is fixed there: a new text then asks the
    // window for no new layout (with the window's frame laid out again on
    // every row the user arrows to).
    void PlaceInfo(int x, int y, int width, int height);

    // The caption of the window for a row count.
    virtual QString CountCaption(long long Count) const = 0;
    // Lays out the view with the sort choice of lblSortValue.
    virtual void LayOut() = 0;

    // Stores the trimmed text of the edited cell (Row, Col), which the cell
    // already shows. Refuses with RefuseEdit. Database errors may escape: the
    // commit reports them and reopens the editor with the typed text.
    virtual void CommitCell(const QString &Text, int Row, int Col) = 0;
    // The column the cursor wraps to after a commit in the last column.
    virtual int WrapColumn() const = 0;
    // What a column holds, for the checks a text passes before it is
    // committed: the article (small letters, one of the store's articles)
    // and the headword (the typing rule, marks tidied, a length limit) are
    // Greek in its keys.
    enum class CellKind { Plain, Article, Headword };
    virtual CellKind KindOf(int Col) const = 0;
    // The text lblInfo shows for a row.
    virtual QString InfoText(int Row) const = 0;
    // The text the cell in Col of word ID shows of what is stored now, read
    // at the moment of the commit; nothing for a column that stores nothing
    // or a word no longer stored. OpenedOn is the text the editor was opened
    // on (a row that shows one of the word's meanings is unchanged while the
    // word still has it).
    virtual std::optional<QString> StoredCellText(long long ID, int Col, const QString &OpenedOn) const = 0;
    // The kind SmallFacts is called with for a row, and its text.
    virtual int FactsKind(int Row) const = 0;
    virtual QString FactsText() const { return QString(); }
    // The grid's right-button release at a screen position.
    virtual void RightClick(const QPoint &GlobalPos) = 0;

    // Refuses the edit of the cell: the user is told (captions 1197 and
    // 1207, or Message and 1207), the stored text goes back into the cell and
    // the editor reopens.
    void RefuseEdit(int Col, int Row, const QString &Message = QString());
    // What identifies a row across a refresh: its word ID (column 1); a
    // window with several rows for a word adds what tells them apart.
    virtual QString RowKey(int Row) const;

    // An open editor taken off the grid while its rows are re-bound or
    // moved, and put back afterwards (see the top of this file).
    struct PendingEdit {
        bool open = false;
        QString key;
        long long id = 0;
        int col = 0;
        QString typed;
        QString old;
        QString opened; // the text the editor was first opened on
    };
    PendingEdit TakeEditor();
    // Opens the editor again over the row of Edit's key, with the focus when
    // this is the current list; tells the user when that row is gone. An edit
    // that changed nothing is simply dropped.
    void RestoreEditor(const PendingEdit &Edit);
    // The editor closed for the length of a scope (a sort), then put back.
    class EditorKept {
    public:
        explicit EditorKept(ListWindow &Window) : m_window(Window), m_edit(Window.TakeEditor()) {}
        ~EditorKept() { m_window.RestoreEditor(m_edit); }
        EditorKept(const EditorKept &) = delete;
        EditorKept &operator=(const EditorKept &) = delete;

    private:
        ListWindow &m_window;
        PendingEdit m_edit;
    };
    // Tells the user that what was typed in a row that is gone was not stored.
    void ReportLostEdit(const PendingEdit &Edit);
    // Makes Col current, sorts every data row on it ascending and runs the
    // row-entry handler.
    void SortCol(int Col);
    // The rows of the query in the grid (the data control's recordset); the
    // cells keep no formatting of an earlier fill (bands, a search hit).
    void BindRows(dao::RecordsetPtr Rows);
    // The wanted size of the window's client area, in pixels.
    void SetWantedSize(const QSize &size);
    // Sizes the grid below the buttons (Buttons: their bottom, pixels): as
    // tall as its rows and 460 twips more while that fits the room, else the
    // room; as wide as its visible columns. The window takes the grid's width
    // and 500 twips, at least 5540 twips and past Rightmost (pixels). The
    // columns' widths as they are now are the fitted ones; the grid then
    // fills the window and the columns fill the grid (FillColumns).
    void FitGridAndWindow(int Buttons, int Rightmost);
    // Whether a column takes a share of the room a window has beyond its
    // columns' fitted widths.
    virtual bool Stretches(int Col) const = 0;
    // The width (twips) a stretching column can narrow to in a grid
    // narrower than the fitted widths: what its own texts need. By default
    // its fitted width.
    virtual int LeastWidth(int Col) const { return FittedWidth(Col); }
    // Widens the stretching columns that are shown so that the columns fill
    // the grid's width; in a grid narrower than the fitted widths they
    // narrow towards their least widths, and the grid scrolls only when
    // those do not fit. The heading buttons follow.
    void FillColumns();
    // The left edge of a column in the window, in pixels, as the grid is
    // scrolled sideways.
    int ColumnLeft(int Col) const;
    // Lays a heading button over column Col (as wide as the column) at Top;
    // it follows the column when the grid scrolls or the column's width
    // changes (FollowColumns).
    void PlaceOverColumn(QPushButton *Button, int Col, int Top, int Height);
    void FollowColumns();
    // Called after the heading buttons followed their columns: a window moves
    // what it lays out beside them.
    virtual void HeadingsMoved() {}
    // A heading button of the window that takes no focus, named Name,
    // showing Text in the window's font.
    QPushButton *NewHeadingButton(const QString &Name, const QString &Text = QString());
    // A heading button's words, font and visibility are set here: the
    // window keeps them, and so knows what it shows over each column
    // without reading its buttons back.
    void SetHeadingText(QPushButton *Button, const QString &Text);
    void SetHeadingFont(QPushButton *Button, const QFont &Font);
    void ShowHeading(QPushButton *Button, bool Shown);
    // Colours a heading button (a colour number).
    static void PaintButton(QPushButton *Button, long Colour);
    // The height (pixels) the window may take: the client area's.
    int RoomHeight() const;
    // Pixels of a length in twips, at the grid's resolution.
    int px(int twips) const { return m_grid->TwipsToPixelsX(twips); }
    int pxY(int twips) const { return m_grid->TwipsToPixelsY(twips); }

    void contextMenuEvent(QContextMenuEvent *event) override;
    // Closing by the user (the close box, Ctrl+F4, Close all, the end of
    // the program) stores the open editor's typing first; a refused or
    // failed store keeps the window open with the editor.
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Tests read the controls and the row state through it.
    friend struct ListWindowProbe;

    QLineEdit *tbN = nullptr; // the in-cell editor
    QFrame *Frame1 = nullptr; // holds lblCol and lblRow, never shown
    bool CellEditing = false;

    void openEditor(int KeyAscii);
    // The text a Greek column stores from Text (the article in small
    // letters, the headword with its marks tidied), or nothing when it is
    // refused (the user has been told) or the user keeps what is stored.
    std::optional<QString> checkedText(const QString &Text, int Col);
    // True when Text may be stored over what the cell's word has stored now:
    // it is still what the editor was opened on, or the user says so.
    bool mayStoreOver(const QString &Text, int Col);
    // The list as a question names it.
    QString placeName() const;
    // Remembers the current cell, fills the labels and takes the row's word
    // ID; false when the row has no word.
    bool noteCell();
    // The data row whose RowKey is Key; -1 when none.
    int rowOfKey(const QString &Key) const;
    void applyWantedSize();
    QSize insideArea(QSize outer) const;
    // The grid fills the window below the buttons, its columns the grid.
    void fitGridToRoom();
    // The search's state, shown on cmdS.
    void setSearch(GridSearch state);

    // A heading button and what it shows; Col is the column it is laid
    // over (-1: none).
    struct HeadingButton {
        QPushButton *Button = nullptr;
        int Col = -1;
        QString Text;
        QFont Font;
        bool Shown = true;
    };
    HeadingButton &headingOf(QPushButton *Button);
    const HeadingButton *headingShownOver(int Col) const;

    FlexGridLink m_gridLink;
    QVector<HeadingButton> m_headings; // in the order they were made
    GridSearch m_search = GridSearch::FromTop;
    QPointer<QMdiSubWindow> m_subWindow;
    QSize m_wanted{640, 420};
    QSize m_gridWanted;
    QVector<int> m_fitWidths; // twips, per column
    int m_commits = 0;
    // The row and word the open editor belongs to, and the text it was
    // opened on (kept while the rows are re-bound under it).
    QString m_editKey;
    long long m_editID = 0;
    QString m_openedOn;
};

// A list window as the store addresses it: Link is ListWindowLink or one of
// its kinds; the window answers its common members.
template <class Link>
class LinkedListWindow : public ListWindow, public Link {
public:
    using ListWindow::ListWindow;

    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    void RefreshGrid() override { EditHelp(SavedRow, SavedCol); }
    void ShowCurrentRow() override
    {
        if (IsCurrentList())
            ShowCellInfo();
    }
    void GetPos(long long ID, const QString &Value, int FieldPos) override { WriteMainField(ID, Value, FieldPos); }
    bool StoreOpenEdit() override { return ListWindow::StoreOpenEdit(); }
    bool LeaveOpenEdit() override { return ListWindow::LeaveOpenEdit(); }
    GridLink &msFlxMulti() override { return GridOf(); }
    ListWindowLink &ListLink() override { return *this; }
    QString QueryText() const override { return tbQ; }
    void Close() override { CloseWindow(); }
    QString lblCol() const override { return ListWindow::lblCol->text(); }
    QString lblRow() const override { return ListWindow::lblRow->text(); }
    bool HasLblInfo() const override { return true; }
    void SetLblInfo(const QString &caption) override { ShowInfo(caption); }
};

} // namespace tav
