// Typing that Enter has not stored yet (a list window's cell editor, the
// grammar panel's cell editors, the remarks boxes) never vanishes when the
// program ends (also on a signal), a list window closes or every window is
// closed: it is stored as Enter would store it. Where it is refused, the
// close asks whether to discard it or to go back to it; a signal drops it.

#include "support/GrammarPanelProbe.h"
#include "MainWindowFixture.h"
#include "support/ListCellTyping.h"
#include "support/OneWordLists.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/VbKeys.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/WindowRoutines.h"
#include "mainwindow/EndOnSignal.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <functional>
#include <vector>

using tavtest::MainWindowFixture;

namespace {

// A way out of the program, or of its list windows, as the user takes it.
struct WayOut {
    const char *name;
    std::function<void(tav::MDI &)> act;
};

// The ways a user closes the windows: the close box, Close all and Exit.
// Clicks the close box of the last child window, the pointer coming from
// the title's text.
void ClickCloseBox(QMdiSubWindow *sub)
{
    QStyleOptionTitleBar bar;
    bar.initFrom(sub);
    bar.titleBarFlags = sub->windowFlags();
    bar.rect = QRect(0, 0, sub->width(), sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, sub));
    const QPoint box = sub->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarCloseButton, sub).center();
    QTest::mouseMove(sub, QPoint(sub->width() / 2, box.y()));
    QTest::mouseMove(sub, box);
    QTest::mouseClick(sub, Qt::LeftButton, {}, box);
}

const WayOut kClosings[] = {
    {"close box", [](tav::MDI &mdi) { ClickCloseBox(mdi.Control<QMdiArea>("mdiClient")->subWindowList().last()); }},
    {"Close all", [](tav::MDI &mdi) { mdi.mnuCloseAll_Click(); }},
    {"Exit", [](tav::MDI &mdi) { mdi.close(); }},
};

// A logout: the program ends on SIGTERM.
const WayOut kSignal = {"SIGTERM", [](tav::MDI &mdi) {
                            bool ended = false;
                            tav::EndOnSignal endOnSignal([&] {
                                ended = true;
                                mdi.close();
                            });
                            std::raise(SIGTERM);
                            EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 2000));
                        }};

class OpenTyping : public MainWindowFixture {
public:
    // The table's steps reach the window through the fixture.
    using MainWindowFixture::w;
    static tav::GridStd *OpenStd(long long id) { return tavtest::OpenStdList(id); }
    static tav::GridSimple *OpenSimple(long long id) { return tavtest::OpenSimpleList(id); }
    // Opens the editor over the list's cell in Col and types Text, no Enter.
    static void TypeInList(tav::ListWindow *list, int col, const QString &text)
    {
        tavtest::TypeInListCell(*list, 1, col, text);
    }
    // Opens a grammar grid's editor over (row, col) of the word shown and
    // types Text, no Enter.
    void TypeInPanel(flexgrid::FlexGrid &grid, QLineEdit *editor, int row, int col, const QString &text)
    {
        grid.SetRow(row);
        grid.SetCol(col);
        int key = text.at(0).unicode();
        w->Grammar().Grid_KeyPress(grid, key);
        ASSERT_TRUE(editor->isVisible());
        w->Grammar().Editor_GotFocus(grid, *editor); // the focus event, where no window is active
        editor->setText(text);
    }
    static void TypeInBox(QTextEdit *box, const QString &text)
    {
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, text);
    }
    QString Stored(const QString &sql) const { return Native(sql).toString(); }
    // A new main window on a new copy of the fresh database.
    void Afresh() { TearDown(), db.~TestDb(), new (&db) tavtest::TestDb, SetUp(); }
};

TEST_F(OpenTyping, EveryEditorAndRemarksBoxKeepsItsTypingWhenWindowsCloseOrTheProgramEnds)
{
    const struct {
        const char *place;
        // Opens what the place needs (a list window is always open) and
        // types; returns the text typed.
        std::function<QString(OpenTyping &, const QString &)> type;
        const char *storedSql;
        // The place's typing where it is still open ("" when gone).
        std::function<QString(OpenTyping &)> open;
    } places[] = {
        {"standard list editor",
         [](OpenTyping &t, const QString &x) {
             TypeInList(t.OpenStd(7), 5, QStringLiteral("heifer") + x);
             return QStringLiteral("heifer") + x;
         },
         "SELECT English FROM Main WHERE ID = 7",
         {}},
        {"simple list editor",
         [](OpenTyping &t, const QString &x) {
             TypeInList(t.OpenSimple(7), 2, QStringLiteral("calf") + x);
             return QStringLiteral("calf") + x;
         },
         "SELECT group_concat(Lat) FROM AllEnglishGreek WHERE ID = 7",
         {}},
        {"declension editor",
         [](OpenTyping &t, const QString &x) {
             tav::GrammarPanel &panel = t.w->Grammar();
             t.OpenStd(2);
             t.w->SmallFacts(2, QString(), 0); // agavph, feminine
             t.TypeInPanel(*panel.FormsGrid(), tavtest::PanelProbe(panel).tbN, 2, 2, QStringLiteral("agavpha") + x);
             return QStringLiteral("agavpha") + x;
         },
         "SELECT sFAck FROM Klino WHERE ID = 2",
         [](OpenTyping &t) {
             return tavtest::PanelProbe(t.w->Grammar()).tbN->isVisible()
                        ? tavtest::PanelProbe(t.w->Grammar()).tbN->text()
                        : QString();
         }},
        {"imperative editor",
         [](OpenTyping &t, const QString &x) {
             tav::GrammarPanel &panel = t.w->Grammar();
             t.OpenStd(5);
             t.w->SmallFacts(5, QString(), 33); // a verb, with its imperatives
             t.TypeInPanel(*panel.ImperativesGrid(), tavtest::PanelProbe(panel).tbImp, 1, 1,
                           QStringLiteral("aggivxe") + x);
             return QStringLiteral("aggivxe") + x;
         },
         "SELECT SiSimpAct FROM IMPER WHERE ID = 5",
         [](OpenTyping &t) {
             return tavtest::PanelProbe(t.w->Grammar()).tbImp->isVisible()
                        ? tavtest::PanelProbe(t.w->Grammar()).tbImp->text()
                        : QString();
         }},
        {"first remarks box",
         [](OpenTyping &t, const QString &x) {
             t.OpenStd(7);
             t.w->SmallFacts(7, QString(), 0);
             TypeInBox(t.w->Control<QTextEdit>("tbRem"), QStringLiteral("a remark") + x);
             return t.w->Control<QTextEdit>("tbRem")->toPlainText();
         },
         "SELECT Remarks FROM Main WHERE ID = 7",
         {}},
        {"second remarks box",
         [](OpenTyping &t, const QString &x) {
             t.OpenStd(7);
             t.w->SmallFacts(7, QString(), 0);
             TypeInBox(t.w->Control<QTextEdit>("tbRemG3"), QStringLiteral("en kommentar") + x);
             return t.w->Control<QTextEdit>("tbRemG3")->toPlainText();
         },
         "SELECT Remarks FROM GreekSwedish WHERE ID = 7",
         {}},
    };
    std::vector<WayOut> actions(std::begin(kClosings), std::end(kClosings));
    actions.push_back(kSignal);
    // Each action types its own letter after the text, on the one database.
    const QString suffixes = QStringLiteral("bgdz");
    int n = 0;
    for (const auto &action : actions) {
        const QString suffix(suffixes.at(n++));
        for (const auto &place : places) {
            SCOPED_TRACE(std::string(place.place) + " x " + action.name);
            TearDown();
            SetUp();
            const QString typed = place.type(*this, suffix);
            ASSERT_FALSE(typed.isEmpty());
            ASSERT_NE(Stored(QString::fromLatin1(place.storedSql)), typed);
            messages.Clear();
            action.act(*w);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const QString stored = Stored(QString::fromLatin1(place.storedSql));
            const QString open = place.open ? place.open(*this) : QString();
            EXPECT_TRUE(stored == typed || open == typed) << "stored: " << stored.toStdString();
            EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
        }
    }
}

// Answers Yes to the question whether to discard a refused text, every other
// box with its default button.
struct DiscardingUser : winsys::MessageService {
    DiscardingUser() { winsys::SetMessageService(this); }
    int Show(const QString &prompt, int style, const QString &) override
    {
        const bool discard = prompt.contains(QStringLiteral("Yes discards the text"));
        asked = asked || discard;
        return discard ? winsys::vbYes : winsys::DefaultAnswer(style);
    }
    bool asked = false;
};

// A text that is refused stays open when a window closes or the program
// ends, but never traps the user: the close asks whether to discard it and
// close (Yes) or to go back to it (No, the default). A signal stores nothing
// refused, asks nothing and always ends the program.
TEST_F(OpenTyping, ARefusedTextCanAlwaysBeLeftAndASignalAlwaysEndsTheProgram)
{
    const struct {
        const char *place;
        // Opens what the place needs and leaves the refused text typed.
        std::function<void(OpenTyping &)> type;
        const char *typed;
        const char *storedSql;
        const char *stored;
    } places[] = {
        {"article cell of a standard list", [](OpenTyping &t) { TypeInList(t.OpenStd(352), 3, QStringLiteral("ab")); },
         "ab", "SELECT Art FROM Main WHERE ID = 352", "h"},
        {"Greek cell of a standard list",
         [](OpenTyping &t) { TypeInList(t.OpenStd(352), 4, QStringLiteral("levxhj")); }, "levxhj",
         "SELECT Greek FROM Main WHERE ID = 352", "dunatovthta"},
        {"article cell of a simple list", [](OpenTyping &t) { TypeInList(t.OpenSimple(7), 3, QStringLiteral("ab")); },
         "ab", "SELECT Art FROM Main WHERE ID = 7", "h"},
        {"declension editor",
         [](OpenTyping &t) {
             tav::GrammarPanel &panel = t.w->Grammar();
             t.OpenStd(2);
             t.w->SmallFacts(2, QString(), 0);
             t.TypeInPanel(*panel.FormsGrid(), tavtest::PanelProbe(panel).tbN, 2, 2, QStringLiteral("levxhj"));
         },
         "levxhj", "SELECT sFAck FROM Klino WHERE ID = 2", "agavph"},
        {"first remarks box",
         [](OpenTyping &t) {
             t.OpenStd(7);
             t.w->SmallFacts(7, QString(), 0);
             t.w->Control<QTextEdit>("tbRem")->setPlainText(QStringLiteral("a\x01b"));
             t.w->Control<QTextEdit>("tbRem")->document()->setModified(true);
         },
         "a\x01b", "SELECT coalesce(Remarks, '') FROM Main WHERE ID = 7", ""},
    };
    const auto &actions = kClosings;
    const auto listsOpen = [](tav::MDI &mdi) { return mdi.ChildForms().size(); };
    for (const auto &place : places) {
        for (const auto &action : actions) {
            SCOPED_TRACE(std::string(place.place) + " x " + action.name);
            TearDown();
            SetUp();
            place.type(*this);
            const qsizetype open = listsOpen(*w);
            // No (the default) goes back to the text: nothing closes.
            messages.Clear();
            action.act(*w);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_EQ(listsOpen(*w), open);
            EXPECT_TRUE(w->isVisible());
            ASSERT_FALSE(messages.Messages().isEmpty());
            const QString question = messages.Messages().last().prompt;
            EXPECT_TRUE(question.contains(QString::fromLatin1(place.typed))) << question.toStdString();
            EXPECT_EQ(winsys::DefaultAnswer(messages.Messages().last().style), winsys::vbNo);
            // Yes discards it and closes.
            DiscardingUser user;
            action.act(*w);
            winsys::SetMessageService(&messages);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_LT(listsOpen(*w), open);
            EXPECT_TRUE(user.asked);
            EXPECT_EQ(Stored(QString::fromLatin1(place.storedSql)), QString::fromLatin1(place.stored));
        }
        {
            // A second signal ends the process at once (EndOnSignalTest).
            SCOPED_TRACE(std::string(place.place) + " x SIGTERM");
            TearDown();
            SetUp();
            place.type(*this);
            messages.Clear();
            bool ended = false;
            {
                tav::EndOnSignal endOnSignal([&] {
                    ended = true;
                    w->close();
                });
                std::raise(SIGTERM);
                EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 2000));
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_FALSE(w->isVisible()) << "the program ends";
            EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join(QLatin1Char('|')).toStdString();
            EXPECT_EQ(Stored(QString::fromLatin1(place.storedSql)), QString::fromLatin1(place.stored));
        }
    }
}

} // namespace

namespace {

// Every kind of editor with a text it may store (typed) left open, and a
// newer value stored meanwhile (newerSql, else by a second list and F5).
struct EditorKind {
    const char *place;
    std::function<QWidget *(OpenTyping &, const QString &)> type; // opens the editor, types, returns it
    const char *typed, *storedSql, *newerSql, *newer;
};
QWidget *InList(tav::ListWindow *list, int col, const QString &text)
{
    OpenTyping::TypeInList(list, col, text);
    return tavtest::ListProbe(list).tbN;
}
QWidget *InPanel(OpenTyping &t, long long id, const QString &text)
{
    t.OpenStd(id);
    t.w->SmallFacts(id, QString(), 0);
    t.TypeInPanel(*t.w->Grammar().FormsGrid(), tavtest::PanelProbe(t.w->Grammar()).tbN, 2, 2, text);
    return tavtest::PanelProbe(t.w->Grammar()).tbN;
}
QWidget *InBox(OpenTyping &t, const char *box, const QString &text)
{
    t.OpenStd(7);
    t.w->SmallFacts(7, QString(), 0);
    t.w->Control<QTextEdit>(box)->insertPlainText(text);
    return t.w->Control<QTextEdit>(box);
}
const EditorKind kEditors[] = {
    {"English cell, stored in a second list", [](OpenTyping &t, const QString &x) {
         QWidget *editor = InList(t.OpenStd(7), 5, x);
         tavtest::EditListCell(*t.OpenStd(7), 1, 5, QStringLiteral("bull"));
         return tav::RefreshGridForms(), editor;
     }, "heifer", "SELECT English FROM Main WHERE ID = 7", "", "bull"},
    {"article cell", [](OpenTyping &t, const QString &x) { return InList(t.OpenStd(352), 3, x); }, "o",
     "SELECT Art FROM Main WHERE ID = 352", "UPDATE Main SET Art = 'to' WHERE ID = 352", "to"},
    {"simple meaning cell", [](OpenTyping &t, const QString &x) { return InList(t.OpenSimple(7), 2, x); }, "heifer",
     "SELECT English FROM Main WHERE ID = 7", "UPDATE Main SET English = 'ox' WHERE ID = 7", "ox"},
    {"declension cell", [](OpenTyping &t, const QString &x) { return InPanel(t, 2, x); }, "agavphs",
     "SELECT sFAck FROM Klino WHERE ID = 2", "UPDATE Klino SET sFAck = 'agavphn' WHERE ID = 2", "agavphn"},
    {"first remarks box", [](OpenTyping &t, const QString &x) { return InBox(t, "tbRem", x); }, "a remark",
     "SELECT Remarks FROM Main WHERE ID = 7", "UPDATE Main SET Remarks = 'newer' WHERE ID = 7", "newer"},
    {"second remarks box", [](OpenTyping &t, const QString &x) { return InBox(t, "tbRemG3", x); }, "en kommentar",
     "SELECT Remarks FROM GreekSwedish WHERE ID = 7", "UPDATE GreekSwedish SET Remarks = 'nyare' WHERE ID = 7", "nyare"},
};

} // namespace

// A text replaces only the value its editor was opened on: over a newer one,
// Enter and Exit ask first (No, the default, keeps it) and a signal keeps it.
TEST_F(OpenTyping, AnOpenEditorNeverStoresOverANewerValueUnasked)
{
    const WayOut ways[] = {{"Enter", {}}, kClosings[2], kSignal, {"Enter, Yes", {}}};
    for (const EditorKind &kind : kEditors) {
        for (const WayOut &way : ways) {
            SCOPED_TRACE(std::string(kind.place) + " x " + way.name);
            Afresh();
            QWidget *editor = kind.type(*this, QString::fromLatin1(kind.typed));
            if (*kind.newerSql)
                tav::WordDb->ExecNative(QString::fromLatin1(kind.newerSql));
            messages.Clear();
            const bool yes = way.name == ways[3].name, signal = way.name == kSignal.name;
            if (yes)
                messages.Answer(winsys::vbYes);
            way.act ? way.act(*w) : QTest::keyClick(editor, Qt::Key_Return);
            EXPECT_EQ(Stored(QString::fromLatin1(kind.storedSql)), QString::fromLatin1(yes ? kind.typed : kind.newer));
            ASSERT_EQ(messages.Messages().isEmpty(), signal);
            EXPECT_TRUE(signal || messages.Messages()[0].prompt.contains(QLatin1String(kind.newer)));
        }
    }
}

// Esc in every editor brings back the stored text, after a text it may
// store and after one it refused (a pasted control character).
TEST_F(OpenTyping, EscInEveryEditorBringsBackTheStoredText)
{
    for (const EditorKind &kind : kEditors) {
        for (const QString &tail : {QString(), QStringLiteral("\x01")}) {
            SCOPED_TRACE(std::string(kind.place) + (tail.isEmpty() ? " x valid" : " x refused"));
            Afresh();
            QWidget *editor = kind.type(*this, QString::fromLatin1(kind.typed) + tail);
            const QString stored = Stored(QString::fromLatin1(kind.storedSql));
            if (!tail.isEmpty())
                QTest::keyClick(editor, Qt::Key_Return); // refused: the text stays
            QTest::keyClick(editor, Qt::Key_Escape);
            const auto *box = qobject_cast<QTextEdit *>(editor);
            EXPECT_TRUE(box ? box->toPlainText() == stored : !editor->isVisible());
            EXPECT_EQ(Stored(QString::fromLatin1(kind.storedSql)), stored);
        }
    }
}
