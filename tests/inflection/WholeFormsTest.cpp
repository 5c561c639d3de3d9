// Every form of the grammar panel can be read whole: the columns share the
// window's width by what they hold, the panel scrolls to what the window
// cannot hold, and a form its column cuts (an edited form longer than the
// column) shows whole, in Greek letters, in a tool tip on hover and in the
// focused cell. The program runs these cases at scale 1 and again at scale 2.

#include "PanelFixture.h"

#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"
#include "platform/font/GreekKeys.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <functional>

using tavtest::PanelFixture;
using tavtest::Size;

namespace {

// One stored form of each column at its longest, in the view that shows it.
struct LongestForm {
    std::string name;
    std::function<void()> show;
};

QString LongestOf(const QStringList &columns)
{
    QStringList lengths;
    for (const QString &c : columns)
        lengths << QStringLiteral("length(coalesce(%1,''))").arg(c);
    return QStringLiteral("max(%1)").arg(lengths.join(QLatin1Char(',')));
}

QStringList Columns(const QStringList &parts, const QString &suffix = QString(), const QString &prefix = QString())
{
    QStringList columns;
    for (const QString &p : parts)
        columns << prefix + p + suffix;
    return columns;
}

} // namespace

class WholeForms : public PanelFixture {
protected:
    long long LongestID(const QString &table, const QStringList &columns, const QString &words)
    {
        const long long id = Native(QStringLiteral("SELECT ID FROM %1 WHERE ID IN (%2) ORDER BY %3 DESC, ID LIMIT 1")
                                        .arg(table, words, LongestOf(columns)))
                                 .toLongLong();
        EXPECT_GT(id, 0) << table.toStdString();
        return id;
    }

    // A verb's conjugation in a voice (0 active, 1 passive) with each
    // choice of the option buttons.
    void AddConjugation(QList<LongestForm> &found, const std::string &name, long long id, int entry)
    {
        for (int had = 0; had < 2; ++had)
            for (int simple = 0; simple < 2; ++simple)
                found << LongestForm{name + " of " + std::to_string(id) + " voice " + std::to_string(entry) + " had " +
                                         std::to_string(had) + " simple " + std::to_string(simple),
                                     [this, id, entry, had, simple] {
                                         w->SmallFacts(id, QString(), 0);
                                         panel().mnuFirstParts_Click(entry);
                                         controls().opHad[had]->click();
                                         controls().opSimple[simple]->click();
                                     }};
    }

    // The word with the longest form in each column of each view, shown in
    // that view.
    QList<LongestForm> Cases()
    {
        const QStringList persons = {"S1", "S2", "S3", "P1", "P2", "P3"};
        const QStringList cases = {"Nom", "Ack", "Gen"};
        const QString verbs = QStringLiteral("SELECT ID FROM Main WHERE substr(WT, 1, 1) = 'c' AND substr(WT, 1, 2) <> 'cf'");
        QList<LongestForm> found;
        for (const char *voice : {"a", "p"}) {
            const int entry = QLatin1String(voice) == QLatin1String("a") ? 0 : 1;
            for (const char *table : {"KonT1", "KonT2", "KonT3", "KonT4"}) {
                const long long id = LongestID(QLatin1String(table), Columns(persons, QLatin1String(voice)), verbs);
                AddConjugation(found, std::string(table) + voice, id, entry);
            }
        }
        QStringList genders;
        for (const char *number : {"s", "p"})
            for (const char *gender : {"M", "F", "N"})
                for (const QString &c : cases)
                    genders << QLatin1String(number) + QLatin1String(gender) + c;
        const struct {
            const char *name, *words;
        } declensions[] = {{"adjective", "SELECT ID FROM Main WHERE substr(WT, 1, 1) = 'b'"},
                           {"noun", "SELECT ID FROM Main WHERE substr(WT, 1, 1) <> 'b' AND Genus <= 2"}};
        for (const auto &d : declensions) {
            for (int g = 0; g < 3; ++g) {
                const long long id = LongestID(QStringLiteral("Klino"), genders.mid(g * 3, 3) + genders.mid(9 + g * 3, 3),
                                               QLatin1String(d.words));
                found << LongestForm{std::string(d.name) + " " + std::to_string(id),
                                     [this, id] { w->SmallFacts(id, QString(), 0); }};
            }
        }
        const long long participle = LongestID(QStringLiteral("KlinoMenos"), genders, verbs);
        const long long imperative =
            LongestID(QStringLiteral("IMPER"),
                      Columns({"SimpAct", "SimpPas", "ContAct", "ContPas"}, QString(), QStringLiteral("Si")) +
                          Columns({"SimpAct", "SimpPas", "ContAct", "ContPas"}, QString(), QStringLiteral("Pl")),
                      verbs);
        for (long long id : {participle, imperative})
            found << LongestForm{"participles and imperatives of " + std::to_string(id),
                                 [this, id] { w->SmallFacts(id, QString(), 33); }};
        // Verbs of common length, in either voice with every option.
        for (long long verb : {1, 35}) // agapavw, akolouqwv
            for (int entry = 0; entry < 2; ++entry)
                AddConjugation(found, "common verb", verb, entry);
        return found;
    }

    // Every cell of the grids shown holds its form whole.
    void CheckForms(const std::string &where)
    {
        for (flexgrid::FlexGrid *g : {&klin(), &imp()}) {
            if (g->isHidden())
                continue;
            for (int c = 1; c < g->Cols(); ++c) {
                const int room = g->TwipsToPixelsX(g->ColWidth(c)) - 2 * flexgrid::kTextInsetPx;
                for (int r = 1; r < g->Rows(); ++r) {
                    const QString form = g->TextMatrix(r, c);
                    EXPECT_LE(QFontMetrics(g->CellFontAt(r, c)).horizontalAdvance(form), room)
                        << where << " " << g->objectName().toStdString() << " " << r << "," << c << " "
                        << form.toStdString();
                }
            }
        }
    }
};

// The word with the longest form of each column, and verbs of common
// length, in a window of 800x600, in the 960x540 of a 1920x1080 screen at
// twice the scale, and in the 640x512 and 640x480 of smaller screens at twice
// the scale: every form shows whole, whichever option button was clicked
// last.
TEST_F(WholeForms, TheLongestFormOfEveryColumnShowsWhole)
{
    const QList<LongestForm> cases = Cases();
    for (const Size size : {Size{800, 600}, Size{960, 540}, Size{640, 512}, Size{640, 480}}) {
        SetSize(size);
        for (const LongestForm &c : cases) {
            c.show();
            QApplication::processEvents();
            CheckForms(std::to_string(size.width) + "x" + std::to_string(size.height) + " " + c.name);
        }
    }
    controls().opHad[1]->click();
    controls().opSimple[0]->click();
}

// The compound tense takes the room the present leaves: its column is wider
// than the simple past's, and together the columns fill the panel. A verb
// whose forms need more than the window has scrolls the panel instead.
TEST_F(WholeForms, TheTenseColumnsShareTheWidthByWhatTheyHold)
{
    SetSize({960, 540});
    w->SmallFacts(1, QString(), 0);
    controls().opHad[1]->click();
    QApplication::processEvents();
    EXPECT_GT(klin().ColWidth(4), klin().ColWidth(2));
    auto *scroll = w->findChild<QScrollArea *>(QStringLiteral("picBottomScroll"));
    ASSERT_NE(scroll, nullptr);
    EXPECT_LE(klin().geometry().right() + 1, scroll->viewport()->width());
    EXPECT_GE(klin().geometry().right() + 1, scroll->viewport()->width() - 6) << "the columns take the room there is";
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);

    SetSize({800, 600});
    w->SmallFacts(1053, QString(), 0); // pragmatopoiwv
    QApplication::processEvents();
    EXPECT_GT(klin().geometry().right() + 1, scroll->viewport()->width());
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum() + scroll->viewport()->width(), klin().geometry().right() + 1);
}

// A form typed into a cell that is longer than its column is cut there
// until the word is shown again; it shows whole when the mouse rests on it,
// and when its cell becomes the focused grid's current one by the keys. A
// form shown whole has no tip.
TEST_F(WholeForms, ACutFormShowsWholeOnHoverAndInTheFocusedCell)
{
    SetSize({800, 600});
    w->SmallFacts(1, QString(), 0);
    QApplication::processEvents();
    flexgrid::FlexGrid &g = klin();
    const QString typed = QStringLiteral("agapavw agapavw agapavw");
    g.setFocus();
    g.SetRow(1);
    g.SetCol(1);
    QTest::keyClick(&g, Qt::Key_F2);
    ASSERT_TRUE(controls().tbN->hasFocus());
    controls().tbN->setText(typed);
    QTest::keyClick(controls().tbN, Qt::Key_Return);
    ASSERT_EQ(g.TextMatrix(1, 1), typed);
    ASSERT_TRUE(g.CellTextCut(1, 1));
    ASSERT_FALSE(g.CellTextCut(1, 2));
    const QString whole = QStringLiteral("αγαπάω αγαπάω αγαπάω");

    // Hover.
    auto hover = [&g](int row, int col) {
        const QPoint inCell = g.CellRect(row, col).center();
        QHelpEvent event(QEvent::ToolTip, inCell, g.viewport()->mapToGlobal(inCell));
        QApplication::sendEvent(g.viewport(), &event);
    };
    hover(1, 1);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), whole);
    hover(1, 2);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); })) << "a form shown whole has no tip";

    // The keys onto the cut form and away from it; the grid losing and
    // taking the focus on it.
    auto focusTip = [&g]() -> QString {
        QApplication::processEvents();
        const auto *tip = g.findChild<QLabel *>(QStringLiteral("wholeTextTip"));
        return tip && tip->isVisible() ? tip->text() : QString();
    };
    g.setFocus();
    g.SetRow(1);
    g.SetCol(2);
    EXPECT_EQ(focusTip(), QString());
    QTest::keyClick(&g, Qt::Key_Left);
    ASSERT_EQ(g.Col(), 1);
    EXPECT_EQ(focusTip(), whole);
    const QRect cell = g.CellRect(1, 1);
    const QLabel *tip = g.findChild<QLabel *>(QStringLiteral("wholeTextTip"));
    EXPECT_FALSE(tip->frameGeometry().intersects(QRect(g.viewport()->mapToGlobal(cell.topLeft()), cell.size())))
        << "the tip covers none of its row";
    QTest::keyClick(&g, Qt::Key_Right);
    EXPECT_EQ(focusTip(), QString());
    g.SetCol(1);
    EXPECT_EQ(focusTip(), whole);
    w->Control<QWidget>("tv1")->setFocus();
    EXPECT_EQ(focusTip(), QString());
    g.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(focusTip(), whole);
}
