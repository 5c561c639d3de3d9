// Typing that Enter has not stored yet (a list window's cell editor, the
// grammar panel's cell editors, the remarks boxes) never vanishes when the
// program ends, a list window closes or every window is closed: it is
// stored as Enter would store it, or, where it is refused, kept in its place
// with the message that says why.

#include "MainWindowFixture.h"
#include "support/ListCellTyping.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/winsys/VbKeys.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTextEdit>

#include <functional>

using tavtest::MainWindowFixture;

namespace {

class OpenTyping : public MainWindowFixture {
public:
    // The table's steps reach the window through the fixture.
    using MainWindowFixture::w;
    tav::GridStd *OpenStd(long long id)
    {
        auto *list = new tav::GridStd;
        const QString filter = QStringLiteral("ID = ") + QString::number(id);
        tav::ShowNewStdGrid(*list, tav::RowsPassing(tav::SqlLang3, filter), filter, tav::SqlLang3,
                            QStringLiteral("1 Greek word"), 0, 2);
        return list;
    }
    tav::GridSimple *OpenSimple(long long id)
    {
        auto *list = new tav::GridSimple;
        const QString sql = tav::SqlAllEnglish + QStringLiteral(" WHERE ID = ") + QString::number(id);
        list->Open(tav::RowsPassing(sql, QString()), sql, 1, tav::ListOpeners::SimpleTitle(QStringLiteral("x")), 2);
        return list;
    }
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
         "SELECT English FROM Main WHERE ID = 7", {}},
        {"simple list editor",
         [](OpenTyping &t, const QString &x) {
             TypeInList(t.OpenSimple(7), 2, QStringLiteral("calf") + x);
             return QStringLiteral("calf") + x;
         },
         "SELECT group_concat(Lat) FROM AllEnglishGreek WHERE ID = 7", {}},
        {"declension editor",
         [](OpenTyping &t, const QString &x) {
             tav::GrammarPanel &panel = t.w->Grammar();
             t.OpenStd(2);
             t.w->SmallFacts(2, QString(), 0); // agavph, feminine
             t.TypeInPanel(*panel.msflxKlin, panel.tbN, 2, 2, QStringLiteral("agavpha") + x);
             return QStringLiteral("agavpha") + x;
         },
         "SELECT sFAck FROM Klino WHERE ID = 2",
         [](OpenTyping &t) { return t.w->Grammar().tbN->isVisible() ? t.w->Grammar().tbN->text() : QString(); }},
        {"imperative editor",
         [](OpenTyping &t, const QString &x) {
             tav::GrammarPanel &panel = t.w->Grammar();
             t.OpenStd(5);
             t.w->SmallFacts(5, QString(), 33); // a verb, with its imperatives
             t.TypeInPanel(*panel.msflXImp, panel.tbImp, 1, 1, QStringLiteral("aggivxe") + x);
             return QStringLiteral("aggivxe") + x;
         },
         "SELECT SiSimpAct FROM IMPER WHERE ID = 5",
         [](OpenTyping &t) { return t.w->Grammar().tbImp->isVisible() ? t.w->Grammar().tbImp->text() : QString(); }},
        {"first remarks box",
         [](OpenTyping &t, const QString &x) {
             t.OpenStd(7);
             t.w->SmallFacts(7, QString(), 0);
             TypeInBox(t.w->Control<QTextEdit>("tbRem"), QStringLiteral("a remark") + x);
             return t.w->Control<QTextEdit>("tbRem")->toPlainText();
         },
         "SELECT Remarks FROM Main WHERE ID = 7", {}},
        {"second remarks box",
         [](OpenTyping &t, const QString &x) {
             t.OpenStd(7);
             t.w->SmallFacts(7, QString(), 0);
             TypeInBox(t.w->Control<QTextEdit>("tbRemG3"), QStringLiteral("en kommentar") + x);
             return t.w->Control<QTextEdit>("tbRemG3")->toPlainText();
         },
         "SELECT Remarks FROM GreekSwedish WHERE ID = 7", {}},
    };
    const struct {
        const char *name;
        std::function<void(tav::MDI &)> act;
    } actions[] = {
        {"close window", [](tav::MDI &mdi) { mdi.Control<QMdiArea>("mdiClient")->subWindowList().last()->close(); }},
        {"close all", [](tav::MDI &mdi) { mdi.mnuCloseAll_Click(); }},
        {"exit", [](tav::MDI &mdi) { mdi.close(); }},
    };
    // Each action types its own letter after the text, on the one database.
    const QString suffixes = QStringLiteral("bgd");
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

TEST_F(OpenTyping, TypingThatIsRefusedKeepsTheProgramAndItsWindowOpen)
{
    tav::GridStd *list = OpenStd(7);
    QPointer<QMdiSubWindow> sub = w->Control<QMdiArea>("mdiClient")->subWindowList().last();
    TypeInList(list, 4, QStringLiteral("αγελάδα"));
    for (const auto &act : std::initializer_list<std::function<void()>>{
             [&] { sub->close(); }, [&] { w->mnuCloseAll_Click(); }, [&] { w->close(); }}) {
        messages.Clear();
        act();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(sub.isNull());
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(w->isVisible());
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("Nothing was stored")));
        EXPECT_EQ(list->tbN->text(), QStringLiteral("αγελάδα")) << "kept for the user to mend";
    }
    EXPECT_EQ(Stored(QStringLiteral("SELECT Greek FROM Main WHERE ID = 7")), QStringLiteral("agelavda"));
}

} // namespace
