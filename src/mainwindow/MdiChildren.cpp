// The main window's child windows: adding them to the client area, their
// frames, and what the main window does when one is activated or closed.
#include "mainwindow/MDI.h"

#include "grids/ListWindow.h"
#include "printing/P001.h"
#include "store/WindowRoutines.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace tav {

namespace {

// The frame of a child window: tells when its window has really closed (a
// window may refuse), before Qt deletes it.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    using QMdiSubWindow::QMdiSubWindow;

signals:
    void closed();

protected:
    // Tab runs on past the child's last control into the main window's.
    bool focusNextPrevChild(bool next) override
    {
        auto *frame = qobject_cast<MDI *>(window());
        return (frame && frame->MoveTabFocus(next)) || QMdiSubWindow::focusNextPrevChild(next);
    }
    // The frame notes which title-bar button is under the pointer only on a
    // move that begins off its title and edges: a pointer that came to the
    // close box straight from there (back from a question, say) pressed
    // nothing. Two moves without a button to the press's place bring the
    // frame's notes up to date first.
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton) {
            for (int i = 0; i < 2; ++i) {
                QMouseEvent move(QEvent::MouseMove, event->position(), event->globalPosition(), Qt::NoButton,
                                 Qt::NoButton, event->modifiers());
                QMdiSubWindow::mouseMoveEvent(&move);
            }
        }
        QMdiSubWindow::mousePressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        // What was typed for the word shown is stored before its window goes
        // (after it, no window would take the remark's Enter, and after the
        // last one the panel shows its base state).
        auto *frame = qobject_cast<MDI *>(window());
        if (frame && !frame->LeavePanelTyping()) {
            event->ignore();
            return;
        }
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted()) {
            setProperty("closed", true);
            emit closed();
        }
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Child windows

QList<QWidget *> MDI::ChildForms() const
{
    QList<QWidget *> forms;
    for (QMdiSubWindow *sub : mdiClient->subWindowList())
        if (sub->widget() && !sub->property("closed").toBool())
            forms << sub->widget();
    return forms;
}

QWidget *MDI::ActiveForm() const
{
    QMdiSubWindow *sub = mdiClient->activeSubWindow();
    if (!sub)
        sub = mdiClient->currentSubWindow();
    return sub && !sub->property("closed").toBool() ? sub->widget() : nullptr;
}

ListWindowLink *MDI::ListWindowOf(const QWidget *form) const
{
    for (const ListChild &child : m_listChildren)
        if (form && child.form == form)
            return child.link;
    return nullptr;
}

ListWindow *MDI::PrintableListOf(const QWidget *form) const
{
    for (const ListChild &child : m_listChildren)
        if (form && child.form == form)
            return child.window;
    return nullptr;
}

ListWindowLink *MDI::ActiveList() const { return ListWindowOf(ActiveForm()); }

QMdiSubWindow *MDI::AddChild(ListWindow &list) { return addChild(&list, &list.ListLink(), &list); }

QMdiSubWindow *MDI::AddChild(ExerciseWindowLink &exercise)
{
    m_exercise = &exercise;
    m_exerciseWindow = exercise.Form();
    return AddChild(exercise.Form());
}

QMdiSubWindow *MDI::AddChild(QWidget *form, ListWindowLink *list) { return addChild(form, list, nullptr); }

QMdiSubWindow *MDI::addChild(QWidget *form, ListWindowLink *list, ListWindow *window)
{
    if (list) {
        m_listChildren.removeIf([](const ListChild &child) { return !child.form; });
        m_listChildren.append({form, list, window});
    }
    // A new child opens maximised while the current one is maximised, as the
    // children of a frame do.
    const QMdiSubWindow *current = mdiClient->currentSubWindow();
    const bool maximised = current && current->isMaximized();
    auto *sub = new ChildFrame;
    // The frame's title bar draws the icon it was given, else the toolkit's logo.
    sub->setWindowIcon(windowIcon());
    sub->setWidget(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+F4 is the main window's (it closes the active child from anywhere
    // in it); the frame's own menu would make it ambiguous where the
    // platform binds it there too.
    for (QAction *a : sub->systemMenu()->actions()) {
        QList<QKeySequence> keys = a->shortcuts();
        if (keys.removeAll(QKeySequence(Qt::CTRL | Qt::Key_F4)))
            a->setShortcuts(keys);
    }
    mdiClient->addSubWindow(sub);
    // A list window that takes a new caption while active renames its print entry.
    form->installEventFilter(this);
    connect(sub, &ChildFrame::closed, this, [this, sub] {
        // A closed child leaves the lists at once, though Qt deletes it later.
        // While the program ends, the panels keep the closing text.
        if (m_unloaded)
            return;
        if (sub == mdiClient->currentSubWindow() || ChildForms().isEmpty())
            onChildActivated(nullptr);
        UpdateWindowMenus(true);
    });
    form->show();
    if (maximised)
        sub->showMaximized();
    mdiClient->setActiveSubWindow(sub);
    onChildActivated(sub);
    UpdateWindowMenus(false);
    return sub;
}

void MDI::CloseChildren()
{
    for (QMdiSubWindow *sub : mdiClient->subWindowList()) {
        if (sub->widget() && sub->widget()->property("Tag").toString() != QLatin1String("NoClose"))
            sub->close();
    }
    UpdateWindowMenus(true);
}

void MDI::mnuCloseAll_Click() { CloseChildren(); }

void MDI::fillWindowList()
{
    for (QAction *a : mnuWindows->actions())
        if (a != mnuCloseAll)
            mnuWindows->removeAction(a), a->deleteLater();
    const QList<QMdiSubWindow *> subs = mdiClient->subWindowList();
    if (subs.isEmpty())
        return;
    mnuWindows->addSeparator();
    QWidget *active = ActiveForm();
    int n = 0;
    for (QMdiSubWindow *sub : subs) {
        if (!sub->widget() || sub->property("closed").toBool())
            continue;
        // A caption's "&" is shown, not taken for a shortcut; only the
        // active window carries a check mark.
        QString title = sub->widget()->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // Keys 1 to 9, then the letters that "Close all windows" leaves.
        static const QString keys = QStringLiteral("123456789ABDEFGHIJKLMNOPQRSTUVWXYZ");
        const QString key = n < keys.size() ? QStringLiteral("&") + keys.at(n) : QString::number(n + 1);
        ++n;
        QAction *a = mnuWindows->addAction(key + QLatin1Char(' ') + title);
        if (sub->widget() == active) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                FocusChild(sub); // Ctrl+W closes it at once
        });
    }
}

void MDI::onChildActivated(QMdiSubWindow *window)
{
    QWidget *form = window ? window->widget() : nullptr;
    // The entries print the grid of the list window that is active.
    const bool isList = PrintableListOf(form) != nullptr;
    UpdatePrintMenu(isList, isList ? form->windowTitle() : QString());
    if (m_print && m_print->Printing()) {
        imgPrintNorm->setEnabled(false);
        mnuPrintParts0->setEnabled(false);
    }
}

} // namespace tav

#include "MdiChildren.moc"
