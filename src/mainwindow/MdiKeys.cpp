// The main window's keys: F10 opens the first menu, F1 the help page of what
// the user works in, F6 and Shift+F6 move between the active child window,
// the grammar panel and the left panel, Ctrl+F4 closes the active child
// window, and Tab runs through the active child window, the grammar panel,
// the left panel and the toolbar strip.
#include "mainwindow/MDI.h"

#include "exercise/ExerciseLaunch.h"
#include "grids/ListWindow.h"
#include "help/HTMLHelp.h"
#include "platform/winsys/TextBox.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QTextEdit>
#include <QTreeWidget>

namespace tav {

namespace {

bool IsTabStop(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy();
}

// The widgets inside area that Tab stops at, in the order of the focus chain.
QList<QWidget *> TabStopsIn(QWidget *area)
{
    QList<QWidget *> stops;
    if (!area || !area->isVisible())
        return stops;
    // The whole chain of the window: a control made after its window joined
    // the frame stands at the chain's end, not beside its siblings.
    for (QWidget *w = area->nextInFocusChain(); w != area; w = w->nextInFocusChain())
        if (area->isAncestorOf(w) && IsTabStop(w))
            stops.append(w);
    return stops;
}

// The help page of each list window's kind and of each exercise tab (1 to
// ExerciseCount; 0 when the exercise window is not the active one).
QString ChildTopic(const ListWindow *list, int exerciseTab)
{
    if (list)
        return list->ListKind() == ListWindow::Kind::Simple ? QStringLiteral("simple-list.html")
                                                            : QStringLiteral("standard-list.html");
    static const char *const pages[ExerciseCount] = {"exercise-typing.html", "exercise-matching.html",
                                                     "exercise-verbs.html"};
    if (exerciseTab >= 1 && exerciseTab <= ExerciseCount)
        return QString::fromLatin1(pages[exerciseTab - 1]);
    return QString();
}

} // namespace

void MDI::buildKeys()
{
    auto *firstMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(firstMenu, &QShortcut::activated, this, [this] {
        const QList<QAction *> menus = menuBar()->actions();
        if (!menus.isEmpty())
            menuBar()->setActiveAction(menus.first());
    });
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelpTopic(); });
    auto *nextArea = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(nextArea, &QShortcut::activated, this, [this] { MoveToArea(true); });
    auto *previousArea = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previousArea, &QShortcut::activated, this, [this] { MoveToArea(false); });
    // Ctrl+F4 closes the active child window, as Ctrl+W does inside it, from
    // anywhere in the main window.
    auto *closeChild = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
    connect(closeChild, &QShortcut::activated, this, [this] {
        if (QMdiSubWindow *sub = mdiClient->activeSubWindow())
            sub->close();
    });
    tv1->installEventFilter(this);
    // Ctrl+Tab and Ctrl+Shift+Tab step through the child windows also while
    // the focus is outside them; inside, the MDI area handles them itself.
    for (QWidget *area : {picRemarks, picBottom, picToolbar}) {
        for (const bool forward : {true, false}) {
            const auto keys = QKeySequence::keyBindings(forward ? QKeySequence::NextChild : QKeySequence::PreviousChild);
            for (const QKeySequence &key : keys) {
                auto *shortcut = new QShortcut(key, area);
                shortcut->setContext(Qt::WidgetWithChildrenShortcut);
                connect(shortcut, &QShortcut::activated, this, [this, forward] {
                    if (forward)
                        mdiClient->activateNextSubWindow();
                    else
                        mdiClient->activatePreviousSubWindow();
                });
            }
        }
    }
    // The remarks boxes are stops of the Tab order, not takers of tabs.
    tbRem->setTabChangesFocus(true);
    tbRemG3->setTabChangesFocus(true);
    // The tree and the remarks boxes mark the focus with a broad highlighted
    // frame: the style's own frame hardly changes with the focus. The frame
    // keeps its width, so that the contents do not shift.
    for (QWidget *w : std::initializer_list<QWidget *>{tv1, tbRem, tbRemG3})
        w->setStyleSheet(QStringLiteral("#%1 { border: 1px solid palette(mid); padding: 1px; }"
                                        " #%1:focus { border: 2px solid palette(highlight); padding: 0px; }")
                             .arg(w->objectName()));
    // The focus starts in the tree, wherever the window's Tab order begins.
    tv1->setFocus(Qt::OtherFocusReason);
}

QString MDI::HelpTopic() const
{
    const QWidget *focus = QApplication::focusWidget();
    auto within = [focus](const QWidget *area) { return focus && (focus == area || area->isAncestorOf(focus)); };
    if (within(tbRem) || within(tbRemG3))
        return QStringLiteral("remarks.html");
    if (within(picRemarks))
        return QStringLiteral("category-tree.html");
    if (within(picBottom))
        return QStringLiteral("grammar-panel.html");
    if (within(picToolbar))
        return QStringLiteral("searching.html");
    QWidget *form = ActiveForm();
    ExerciseWindowLink *exercise = ExerciseInstance();
    const int tab = exercise && form && exercise->Form() == form ? exercise->CurrentTab() : 0;
    const QString page = ChildTopic(PrintableListOf(form), tab);
    return page.isEmpty() ? QStringLiteral("index.html") : page;
}

void MDI::ShowHelpTopic() { ShowHelpPage(HelpTopic()); }

void MDI::ShowHelpPage(const QString &page)
{
    HTMLHelp &help = helpFile();
    help.HHTopicURL = page;
    help.HHDisplayTopicURL(0);
}

bool MDI::MoveTabFocus(bool next)
{
    QList<QWidget *> stops;
    for (QWidget *area : {ActiveForm(), picBottom, picRemarks, picToolbar})
        stops += TabStopsIn(area);
    if (stops.isEmpty())
        return false;
    QWidget *focus = QApplication::focusWidget();
    int i = stops.indexOf(focus);
    if (i >= 0) {
        i = (i + (next ? 1 : stops.size() - 1)) % stops.size();
    } else {
        // From a widget that is no stop (a cell editor, the menu bar, a
        // window that is not active) to the nearest stop along the chain.
        QWidget *w = focus ? focus : this;
        do
            w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        while (w != focus && w != this && !stops.contains(w));
        i = std::max(0, int(stops.indexOf(w)));
    }
    stops[i]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool MDI::focusNextPrevChild(bool next) { return MoveTabFocus(next) || QMainWindow::focusNextPrevChild(next); }

void MDI::MoveToArea(bool next)
{
    const QList<QWidget *> areas = {ActiveForm(), picBottom, picRemarks};
    const QWidget *focus = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < areas.size(); ++i)
        if (areas[i] && focus && (areas[i] == focus || areas[i]->isAncestorOf(focus)))
            current = i;
    const int n = int(areas.size());
    const int start = current >= 0 ? current : (next ? n - 1 : 0);
    for (int step = 1; step <= n; ++step) {
        const int i = (start + (next ? step : n - step)) % n;
        const QList<QWidget *> stops = TabStopsIn(areas[i]);
        if (stops.isEmpty())
            continue;
        // A child window gets the focus back where it had it; the left panel
        // is entered at the tree, whatever had the focus there last.
        QWidget *inside = areas[i] == picRemarks ? tv1 : areas[i]->focusWidget();
        QWidget *target = inside && stops.contains(inside) ? inside : stops.first();
        if (QMdiSubWindow *sub = mdiClient->currentSubWindow(); i == 0 && sub)
            FocusChild(sub);
        else
            target->setFocus(Qt::OtherFocusReason);
        return;
    }
}

void MDI::FocusChild(QMdiSubWindow *sub)
{
    mdiClient->setActiveSubWindow(sub);
    QWidget *form = sub->widget();
    const QList<QWidget *> stops = TabStopsIn(form);
    QWidget *inside = form ? form->focusWidget() : nullptr;
    QWidget *target = inside && stops.contains(inside) ? inside : stops.value(0, form);
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

} // namespace tav
