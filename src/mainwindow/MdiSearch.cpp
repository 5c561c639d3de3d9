// The search strip (tbSearch, opForm, cmdSearch, cmdClear, tbFind) and the
// two remarks boxes of the main window, the wiring of the tree's and the
// strip's events, and the settings dialog's entry.
#include "mainwindow/MDI.h"

#include "exercise/ExerciseLaunch.h"
#include "mainwindow/FrmOptions.h"
#include "grids/ListOpeners.h"
#include "inflection/GrammarPanel.h"
#include "mainwindow/MdiListHost.h"
#include "platform/winsys/TextBox.h"
#include "platform/winsys/core/MsgBox.h"
#include "platform/winsys/core/Pointer.h"
#include "store/ListEdits.h"
#include "store/ListRequests.h"
#include "store/ListWindowLink.h"
#include "store/Notice.h"
#include "store/SharedState.h"
#include "store/WindowRoutines.h"
#include "store/WordEdits.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

#include <functional>
#include <optional>

namespace tav {

namespace {

// Hands the Enter key of a remarks box to its handler; a handled key does not
// reach the box. Esc brings back the stored remark, as in every editor.
class EnterKeys : public QObject {
public:
    EnterKeys(QObject *box1, std::function<void(int &)> key1, QObject *box2, std::function<void(int &)> key2)
        : m_box1(box1), m_box2(box2), m_key1(std::move(key1)), m_key2(std::move(key2))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            auto *box = qobject_cast<winsys::TextBox *>(watched);
            if (box)
                box->ShowStored(box->StoredText());
            return box != nullptr;
        }
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        int KeyAscii = 13;
        if (watched == m_box1)
            m_key1(KeyAscii);
        else if (watched == m_box2)
            m_key2(KeyAscii);
        return KeyAscii == 0;
    }

private:
    QObject *m_box1;
    QObject *m_box2;
    std::function<void(int &)> m_key1;
    std::function<void(int &)> m_key2;
};

// The text of a remarks box as a remark is stored: pasted line breaks and tab
// stops become blanks, as in the list editors, and the box shows the text so;
// a text with another control character is refused with a message (nothing).
std::optional<QString> RemarkText(QTextEdit &box)
{
    const QString text = CellEditText(box.toPlainText());
    if (HasControlCharacter(text)) {
        winsys::MsgBox(QStringLiteral("The remark holds a control character (pasted with it) and was not stored."),
                       winsys::vbCritical, winsys::AppTitle);
        return std::nullopt;
    }
    if (text != box.toPlainText()) {
        box.setPlainText(text);
        box.document()->setModified(true); // shown so, not yet stored
    }
    return text;
}


} // namespace

void MDI::connectTreeAndSearch()
{
    // The list windows reach this window through its host; its list requests
    // open them, unless a test installed its own.
    m_listHost = std::make_unique<MdiListHost>(*this);
    SetListHost(m_listHost.get());
    m_listRequests = std::make_unique<ListOpeners>();
    if (!ListWindowRequestsInstalled())
        SetListWindowRequests(m_listRequests.get());

    // Captions are shown whole; a narrow panel scrolls sideways.
    tv1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tv1->header()->setStretchLastSection(false);

    // A node click: the mouse (every click, the same node again too) or
    // the keyboard moving from node to node. The view making a node current
    // by itself (the first focus after a rebuild) is no click.
    connect(tv1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { tv1_NodeClick(node); });
    connect(tv1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current, QTreeWidgetItem *previous) {
        if (!m_buildingTree && current && previous && QApplication::mouseButtons() == Qt::NoButton)
            tv1_NodeClick(current);
    });
    connect(tv1, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) { tv1_Collapse(node); });
    connect(tv1, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) { tv1_Expand(node); });
    tv1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tv1, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { tv1_MouseDown(Qt::RightButton, pos); });
    connect(cboTree, &QComboBox::activated, this, [this] { cboTree_Click(); });

    connect(tbSearch, &QLineEdit::returnPressed, this, [this] {
        int KeyAscii = 13;
        tbSearch_KeyPress(KeyAscii);
    });
    connect(tbSearch, &QLineEdit::textChanged, this, [this] { tbSearch_Change(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(opForm[i], &QRadioButton::clicked, this, [this, i] { opForm_Click(i); });

    m_remarksKeys = std::make_unique<EnterKeys>(
        tbRem, [this](int &k) { tbRem_KeyPress(k); }, tbRemG3, [this](int &k) { tbRemG3_KeyPress(k); });
    tbRem->installEventFilter(m_remarksKeys.get());
    tbRemG3->installEventFilter(m_remarksKeys.get());
}

void MDI::tbSearch_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    winsys::BusyPointer busy(winsys::PointerShape::ArrowHourglass);
    const QString t = tbSearch->text();
    if (t.isEmpty())
        return;
    try {
        for (QLineEdit *box : tbFind)
            box->clear();
        // The first option that is set; none: the headwords.
        const bool inflected = !opForm[0]->isChecked() && opForm[1]->isChecked();
        SendListRequest(SearchRequest(t, inflected, SearchLang));
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
    KeyAscii = 0;
}

void MDI::cmdSearch_Click()
{
    int KeyAscii = 13;
    tbSearch_KeyPress(KeyAscii);
}

void MDI::tbSearch_Change() { cmdClear->setEnabled(true); }

void MDI::cmdClear_Click()
{
    clearSearchBoxes();
    cmdClear->setEnabled(false);
}

void MDI::clearSearchBoxes()
{
    tbSearch->clear();
    tbFind[0]->clear();
    tbFind[1]->clear();
}

void MDI::opForm_Click(int)
{
    QFont font = tbSearch->font();
    font.setFamily(LetterFont);
    tbSearch->setFont(font);
}

void MDI::tbRem_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13 || SaveBusy)
        return; // an Enter while a remark is stored is typed text
    // Nothing to store to without a word shown in an active list or exercise
    // window: the Enter changes nothing and the box stays ready.
    QWidget *form = ActiveForm();
    const long long id = m_shownWordID;
    KeyAscii = 0;
    if (!form || !id)
        return;
    const std::optional<QString> remark = RemarkText(*tbRem);
    if (!remark || !mayStoreRemark(*tbRem, id, *remark))
        return;
    const QString &text = *remark;
    SaveBusy = true;
    try {
        if (ListWindowLink *list = ListWindowOf(form))
            list->GetPos(id, text, 12);
        else if (ExerciseWindowLink *exercise = ExerciseInstance(); exercise && exercise->Form() == form)
            exercise->GetPos(id, text, 12);
        // The box now replaces what was stored here (the windows tell their
        // own failures).
        if (m_shownWordID == id && StoredRemark(id, false) == text)
            tbRem->MarkStored(text);
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
    }
    SaveBusy = false;
}

void MDI::tbRemG3_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13 || SaveBusy)
        return;
    // As in the first box: a word shown in an active window, a list window or
    // the exercise window, gets the remark; else the Enter changes nothing.
    QWidget *form = ActiveForm();
    const long long id = m_shownWordID;
    KeyAscii = 0;
    if (!form || !id)
        return;
    const std::optional<QString> remark = RemarkText(*tbRemG3);
    if (!remark || !mayStoreRemark(*tbRemG3, id, *remark))
        return;
    const QString &text = *remark;
    SaveBusy = true;
    NoGridLink noGrid;
    ListWindowLink *list = ListWindowOf(form);
    GridLink &grid = list ? list->msFlxMulti() : noGrid;
    // Both writers clear SaveBusy.
    const Outcome stored = OptBoHide3 ? SaveRemarks2(grid, id, text) : SaveRemarks(grid, id, text);
    Tell(stored.Failure);
    if (stored)
        tbRemG3->MarkStored(text);
    SaveBusy = false;
}

bool MDI::mayStoreRemark(winsys::TextBox &box, long long id, const QString &text)
{
    QString now;
    try {
        now = StoredRemark(id, &box == tbRemG3);
    } catch (const std::exception &e) {
        winsys::ShowErrorBox(e);
        return false;
    }
    if (winsys::StoreOverNewerValue(QStringLiteral("the remarks box"), box.StoredText(), now, text))
        return true;
    box.ShowStored(now);
    return false;
}

bool MDI::StoreTypedRemarks()
{
    const long long id = m_shownWordID;
    if (!id || SaveBusy)
        return true;
    for (winsys::TextBox *box : {tbRem, tbRemG3}) {
        if (!box->isEnabled() || !box->document()->isModified())
            continue;
        const std::optional<QString> remark = RemarkText(*box);
        if (!remark)
            return false;
        if (!mayStoreRemark(*box, id, *remark)) {
            if (box->document()->isModified())
                return false; // the stored remark could not be read
            continue;
        }
        SaveBusy = true;
        NoGridLink noGrid;
        const Outcome stored = box == tbRem ? SaveMainRemarks(id, *remark)
                               : OptBoHide3 ? SaveRemarks2(noGrid, id, *remark)
                                            : SaveRemarks(noGrid, id, *remark);
        SaveBusy = false;
        Tell(stored.Failure);
        if (!stored)
            return false;
        box->MarkStored(*remark);
    }
    return true;
}

bool MDI::LeavePanelTyping()
{
    // The boxes are stored in order up to the first that fails: that one is
    // given up (when the user says so) and the next is stored.
    while (!StoreTypedRemarks()) {
        QTextEdit *refused = nullptr;
        for (QTextEdit *box : {tbRem, tbRemG3})
            if (!refused && box->isEnabled() && box->document()->isModified())
                refused = box;
        if (!refused)
            break;
        if (!winsys::DiscardRefusedText(QStringLiteral("the remarks box"), refused->toPlainText()))
            return false;
        refused->document()->setModified(false);
    }
    return grammar->LeaveOpenEdit();
}

bool MDI::LeaveOpenTyping()
{
    if (!LeavePanelTyping())
        return false;
    for (QWidget *form : ChildForms())
        if (ListWindowLink *list = ListWindowOf(form); list && !list->LeaveOpenEdit())
            return false;
    return true;
}

void MDI::frmOptions_Show()
{
    frmOptions dialog(this);
    // The rule is stored by the dialog itself; an open exercise window is
    // only told, none is opened for it.
    dialog.RuleChanged = [this](bool value) {
        if (ExerciseWindowLink *exercise = ExerciseInstance())
            exercise->BoCheckaChanged(value);
    };
    dialog.HelpRequested = [this, &dialog] { ShowHelpPage(dialog.HelpTopic()); };
    dialog.exec();
}

} // namespace tav
