// Editing the forms of the grammar panel in place: a key typed in a grid
// opens its editor (tbN over msflxKlin, tbImp over msflXImp) on the current
// cell; Enter, or the grid taking the focus back, commits the text to the
// database, Esc cancels. An edit belongs to the word, cell and table it was
// opened on: drawing the panel anew cancels it. Its text replaces only the
// form the cell showed when it was opened; a form stored meanwhile is asked
// about first.
#include "inflection/GrammarPanel.h"

#include "inflection/GrammarHost.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/flexgrid/GridRoutines.h"
#include "platform/winsys/VbKeys.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/GreekLetters.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tav {

using flexgrid::FlexGrid;

namespace {

// Hands an editor's focus and keys to the panel as its GotFocus, KeyDown and
// KeyPress; a key the handlers swallow does not reach the editor.
class EditorEvents : public QObject {
public:
    EditorEvents(GrammarPanel &panel, FlexGrid &grid) : QObject(&panel), m_panel(panel), m_grid(grid) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *editor = static_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::FocusIn) {
            m_panel.Editor_GotFocus(m_grid, *editor);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        int KeyCode = winsys::VbKeyCode(key);
        if (KeyCode != 0)
            m_panel.KeyDownEdits(m_grid, *editor, KeyCode);
        if (!editor->isVisible())
            return true; // Enter or Esc ended the edit
        int KeyAscii = winsys::VbKeyAscii(key);
        if (KeyAscii == 0)
            return false;
        m_panel.Editor_KeyPress(*editor, KeyAscii);
        return KeyAscii == 0;
    }

private:
    GrammarPanel &m_panel;
    FlexGrid &m_grid;
};

} // namespace

void GrammarPanel::connectEditing()
{
    for (FlexGrid *grid : {msflxKlin, msflXImp}) {
        connect(grid, &FlexGrid::Click, this, [this, grid] { Grid_Click(*grid); });
        connect(grid, &FlexGrid::EnterCell, this, [this, grid] { Grid_EnterCell(*grid); });
        connect(grid, &FlexGrid::KeyDown, this,
                [this, grid](int &KeyCode, int Shift) { Grid_KeyDown(*grid, KeyCode, Shift); });
        connect(grid, &FlexGrid::KeyPress, this, [this, grid](int &KeyAscii) { Grid_KeyPress(*grid, KeyAscii); });
        connect(grid, &FlexGrid::GotFocus, this, [this, grid] { Grid_GotFocus(*grid); });
        editorOf(*grid)->installEventFilter(new EditorEvents(*this, *grid));
    }
}

QLineEdit *GrammarPanel::editorOf(const FlexGrid &grid) const { return &grid == msflXImp ? tbImp : tbN; }

FormCell GrammarPanel::cellForm(const FlexGrid &grid, int row, int col) const
{
    const QString tag = &grid == msflXImp ? QStringLiteral("Imp") : editorOf(grid)->property("Tag").toString();
    return MapInflectionCell(tag, row, col, WordKind.toInt(), WordGenus, m_state.column5Table);
}

// Only the forms of a word shown by its own view are edited: not the base
// state, the article, a composed column or a grid that is not shown.
bool GrammarPanel::IsEditableCell(const FlexGrid &grid) const
{
    if (m_state.viewWordID == 0 || !grid.isVisible())
        return false;
    const int kind = WordKind.toInt();
    if (kind != KindAdjective && kind != KindNoun && kind != KindVerb)
        return false;
    return cellForm(grid, grid.Row(), grid.Col()).IsStored();
}

void GrammarPanel::Grid_Click(FlexGrid &grid)
{
    if (grid.MouseRow() == 0)
        grid.setFocus();
}

void GrammarPanel::Grid_EnterCell(FlexGrid &grid)
{
    if (GridBusy() || SaveBusy)
        return;
    syncEditorFont(grid);
}

// The editor writes in the current cell's font (the Greek font).
void GrammarPanel::syncEditorFont(FlexGrid &grid)
{
    QFont font = editorOf(grid)->font();
    font.setFamily(grid.CellFontName());
    font.setPointSizeF(grid.CellFontSize());
    editorOf(grid)->setFont(font);
}

void GrammarPanel::Grid_KeyDown(FlexGrid &grid, int KeyCode, int Shift)
{
    // The menu key and Shift+F10 open the voice menu below the current cell
    // while a verb is shown, as they do in a list of verbs.
    if (KeyCode == winsys::vbKeyApps || (KeyCode == winsys::vbKeyF10 && Shift == winsys::vbShiftMask)) {
        if (m_state.verbID != 0 && grid.Row() >= grid.FixedRows())
            m_host.PopupConjugations(grid.mapToGlobal(
                QPoint(grid.TwipsToPixelsX(grid.CellLeft()), grid.TwipsToPixelsY(grid.CellTop() + grid.CellHeight()))));
        return;
    }
    if ((KeyCode == winsys::vbKeyF2 || KeyCode == winsys::vbKeyDelete) && IsEditableCell(grid)) {
        syncEditorFont(grid);
        StartCellEditKey(grid, *editorOf(grid), KeyCode);
    }
}

void GrammarPanel::Grid_KeyPress(FlexGrid &grid, int &KeyAscii)
{
    // Enter opens the editor on the cell's text, a typed key with that key;
    // a key that is no Greek key opens nothing.
    if (KeyAscii != 13 && KeyAscii < 32)
        return;
    if (!IsEditableCell(grid))
        return;
    if (KeyAscii >= 32) {
        QString key{QChar(KeyAscii)};
        if (!TavGreCheck(key)) {
            Tell(InvalidKeyNotice());
            KeyAscii = 0;
            return;
        }
    }
    syncEditorFont(grid);
    ShowCellEditor(grid, *editorOf(grid), KeyAscii);
}

void GrammarPanel::Editor_GotFocus(FlexGrid &grid, QLineEdit &editor)
{
    if (m_edit.active && m_edit.grid == &grid)
        return; // back in the same edit (the window was left and entered again)
    m_edit = CellEdit{};
    m_edit.grid = &grid;
    m_edit.editor = &editor;
    m_edit.wordID = m_state.viewWordID;
    m_edit.row = grid.Row();
    m_edit.col = grid.Col();
    m_edit.cell = cellForm(grid, m_edit.row, m_edit.col);
    m_edit.oldText = grid.TextMatrix(m_edit.row, m_edit.col);
    m_edit.active = true;
}

void GrammarPanel::Editor_KeyPress(QLineEdit &editor, int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0; // the KeyDown of the same key commits
        return;
    }
    if (KeyAscii < 32)
        return;
    QString key{QChar(KeyAscii)};
    if (!TavGreCheck(key)) {
        Tell(InvalidKeyNotice());
        KeyAscii = 0;
        return;
    }
    // The limit counts the form as it would be stored, without a particle.
    QString next = editor.text();
    const int at = editor.hasSelectedText() ? editor.selectionStart() : editor.cursorPosition();
    next.replace(at, editor.selectedText().size(), QChar(KeyAscii));
    const bool imperative = &editor == tbImp;
    const int row = m_edit.active ? m_edit.row : msflXImp->Row();
    if (!CheckFormLength(StoredForm(imperative ? QStringLiteral("Imp") : QString(), row, next).size()))
        KeyAscii = 0;
}

void GrammarPanel::KeyDownEdits(FlexGrid &grid, QLineEdit &editor, int KeyCode)
{
    switch (KeyCode) {
    case winsys::vbKeyReturn: {
        // The grid's focus event commits; when the focus was there already,
        // or is not moved (an inactive window), commit all the same, once.
        const int commits = m_commits;
        grid.setFocus();
        if (m_commits == commits)
            Grid_GotFocus(grid);
        break;
    }
    case winsys::vbKeyEscape:
        editor.hide();
        m_edit = CellEdit{};
        grid.setFocus();
        break;
    case winsys::vbKeyUp:
        if (!m_edit.active) {
            grid.setFocus();
            if (grid.Row() > grid.FixedRows())
                grid.SetRow(grid.Row() - 1);
        }
        break;
    case winsys::vbKeyDown:
        if (!m_edit.active) {
            grid.setFocus();
            if (grid.Row() < grid.Rows() - 1)
                grid.SetRow(grid.Row() + 1);
        }
        break;
    default:
        break;
    }
}

void GrammarPanel::CancelEdit()
{
    for (QLineEdit *editor : {tbN, tbImp})
        editor->hide();
    m_edit = CellEdit{};
}

bool GrammarPanel::StoreOpenEdit()
{
    for (FlexGrid *grid : {msflxKlin, msflXImp}) {
        QLineEdit *editor = editorOf(*grid);
        if (!editor->isVisible())
            continue;
        if (!m_edit.active || m_edit.grid != grid || editor->text() == m_edit.oldText) {
            editor->hide();
            continue;
        }
        Grid_GotFocus(*grid);
        if (editor->isVisible())
            return false;
    }
    return true;
}

bool GrammarPanel::LeaveOpenEdit()
{
    if (StoreOpenEdit())
        return true;
    for (QLineEdit *editor : {tbN, tbImp})
        if (editor->isVisible() && !winsys::DiscardRefusedText(QStringLiteral("the grammar panel"), editor->text()))
            return false;
    // The cells show their stored forms.
    CancelEdit();
    return true;
}

void GrammarPanel::Grid_GotFocus(FlexGrid &grid)
{
    QLineEdit *editor = editorOf(grid);
    if (!editor->isVisible())
        return;
    ++m_commits;
    editor->hide();
    const CellEdit edit = m_edit;
    m_edit = CellEdit{};
    if (!edit.active || edit.grid != &grid || edit.wordID != m_state.viewWordID)
        return;
    const QString typed = editor->text();
    if (typed != edit.oldText) {
        // Pasted text passes the keys' rule too; a refused text stays in the
        // editor for the user to mend or cancel.
        const QString tag = &grid == msflXImp ? QStringLiteral("Imp") : QString();
        if (!CheckFormText(tag, edit.row, typed)) {
            reopenEdit(edit, typed);
            return;
        }
        const QString form = StoredForm(tag, edit.row, typed);
        // Emptying a stored form takes it away for good: asked first, and
        // No (the default) leaves the cell as it is.
        if (form.isEmpty() && !StoredForm(tag, edit.row, edit.oldText).isEmpty() &&
            winsys::MsgBox(FormEmptyQuestion(), winsys::vbYesNo | winsys::vbExclamation | winsys::vbDefaultButton2,
                           winsys::AppTitle) != winsys::vbYes) {
            grid.SetTextMatrix(edit.row, edit.col, edit.oldText);
            return;
        }
        try {
            if (!mayStoreOver(edit, tag, form))
                return;
            CommitInflectionCell(edit.wordID, edit.cell, form);
        } catch (const std::exception &error) {
            // Nothing was stored: the cell shows the stored form, and the
            // editor opens again with what was typed.
            grid.SetTextMatrix(edit.row, edit.col, edit.oldText);
            winsys::ShowErrorBox(error);
            reopenEdit(edit, typed);
            return;
        }
        grid.SetTextMatrix(edit.row, edit.col, shownForm(grid, edit.row, form));
        showStoredForm(edit.cell, form);
        showComposedCells(edit, form);
    }
    moveOn(grid);
}

bool GrammarPanel::mayStoreOver(const CellEdit &edit, const QString &tag, const QString &form)
{
    const WordRecord stored = ReadWordRecord(edit.cell.table, edit.wordID);
    if (!stored.Found())
        return true; // nothing stored to lose: the commit makes the row
    const QString now = StoredForm(QString(), edit.row, stored.Text(edit.cell.column));
    if (winsys::StoreOverNewerValue(QStringLiteral("the grammar panel"), StoredForm(tag, edit.row, edit.oldText), now,
                                    form))
        return true;
    edit.grid->SetTextMatrix(edit.row, edit.col, shownForm(*edit.grid, edit.row, now));
    return false;
}

// A stored form as a cell of the grid shows it: behind its particle on the
// imperative grid's subjunctive rows.
QString GrammarPanel::shownForm(const FlexGrid &grid, int row, const QString &form) const
{
    return &grid == msflXImp && row >= 3 ? SubjunctiveCell(row, form) : form;
}

// Opens the edit again on its cell with the text the user typed.
void GrammarPanel::reopenEdit(const CellEdit &edit, const QString &typed)
{
    FlexGrid &grid = *edit.grid;
    grid.SetRow(edit.row);
    grid.SetCol(edit.col);
    syncEditorFont(grid);
    ShowCellEditor(grid, *edit.editor, 32);
    edit.editor->setText(typed);
    m_edit = edit;
}

// Every shown cell that holds the stored field shows the new form: the
// imperative grid shows a subjunctive person twice, and the conjugation's
// column 5 the same fields as its rows 3 to 6.
void GrammarPanel::showStoredForm(const FormCell &cell, const QString &form)
{
    for (FlexGrid *grid : {msflxKlin, msflXImp}) {
        if (grid->isHidden())
            continue;
        for (int r = 1; r < grid->Rows(); ++r) {
            for (int c = 1; c < grid->Cols(); ++c) {
                const FormCell shown = cellForm(*grid, r, c);
                if (shown.table == cell.table && shown.column == cell.column)
                    grid->SetTextMatrix(r, c, shownForm(*grid, r, form));
            }
        }
    }
}

void GrammarPanel::showComposedCells(const CellEdit &edit, const QString &form)
{
    if (edit.grid != msflxKlin)
        return;
    // Column 4 is composed from the third person that column 5 shows.
    if (edit.col == 5 && edit.row == 3 && edit.cell.table == QLatin1String("KonT4"))
        fillCompoundColumn(edit.wordID, m_state.voice, &form);
    // The noun view's article stands beside the noun's form of its row.
    if (edit.col == 2 && WordKind.toInt() == KindNoun && edit.cell.table == QLatin1String("Klino"))
        msflxKlin->SetTextMatrix(edit.row, 1, NounArticleCell(edit.row, m_articleForms.value(edit.row - 1), form));
}

// After a commit: down the column, then on to the next column that holds
// stored forms, and from the last one back to the list.
void GrammarPanel::moveOn(FlexGrid &grid)
{
    const bool lastRow = IsOnLastRow(grid);
    const int col = grid.Col();
    enum { Stay, NextRow, NextCol, SkipCol, BackToList } step = Stay;
    auto rule = [&](bool lastCol, bool skip = false) {
        step = !lastRow ? NextRow : lastCol ? BackToList : skip ? SkipCol : NextCol;
    };
    const int kind = WordKind.toInt();
    if (&grid == msflXImp) {
        if (col >= 1 && col <= 4)
            rule(col == 4);
    } else if (tbN->property("Tag").toString() == QLatin1String("KlinoMenos") || kind == KindAdjective) {
        if (col >= 1 && col <= 3)
            rule(col == 3);
    } else if (kind == KindNoun) {
        if (col == 1 || col == 2)
            rule(col == 2);
    } else if (kind == KindVerb) {
        if (col >= 1 && col <= 3)
            rule(false, col == 3);
        else if (col == 5)
            rule(true);
    }
    switch (step) {
    case NextRow: GridNextRow(grid); break;
    case NextCol: GridNextColTop(grid); break;
    case SkipCol: GridSkipColTop(grid); break;
    case BackToList: ReturnLista(false); break;
    case Stay: break;
    }
}

void GrammarPanel::TavValid(QString &text, bool &valid)
{
    text = text.toLower();
    valid = !text.isEmpty();
    for (const QChar ch : std::as_const(text)) {
        if (!QStringLiteral("abgdezhqiklmnxoprsVtufcyw1234567890.,-!`+~&v ").contains(ch)) {
            valid = false;
            break;
        }
    }
}

} // namespace tav
