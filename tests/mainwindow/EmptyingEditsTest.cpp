// Every edit that can empty a word's data or take its gender away (a verb's
// voice box, a list's article cell, a grammar form cell), made with a blank
// text and with the stored text in other letters' case: such an edit is
// asked first, and No (the default) changes nothing; a text that is the same
// article changes nothing and asks nothing.

#include "support/GrammarPanelProbe.h"
#include "MainWindowFixture.h"
#include "support/ListCellTyping.h"
#include "support/OneWordLists.h"
#include "support/PanelTyping.h"

#include "inflection/GrammarPanel.h"
#include "platform/flexgrid/FlexGrid.h"

#include <QLineEdit>
#include <QTest>

#include <functional>

using tavtest::MainWindowFixture;

namespace {

class EmptyingEdits : public MainWindowFixture {
public:
    using MainWindowFixture::w;
    QString Stored(const QString &sql) const { return Native(sql).toString(); }
    // Types into a verb box of verb 5 and presses Enter.
    static std::function<void(EmptyingEdits &, const QString &)> VoiceBox(QLineEdit *tav::GrammarPanelProbe::*box)
    {
        return [box](EmptyingEdits &t, const QString &text) {
            tavtest::OpenStdList(5);
            t.w->SmallFacts(5, QString(), 0);
            QLineEdit *edit = tavtest::PanelProbe(t.w->Grammar()).*box;
            edit->setText(text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
    }
};

TEST_F(EmptyingEdits, AnEditThatEmptiesOrReclassifiesIsAskedFirstOrChangesNothing)
{
    enum class Text { Blank, OtherCase };
    enum class After { Unchanged, Typed };
    const struct {
        const char *edit;
        // Types Text where the edit is made and commits it as Enter does.
        std::function<void(EmptyingEdits &, const QString &)> commit;
        const char *storedSql;
        bool askedOnBlank;
        After onOtherCase; // a case change of a form is a change of letters
    } edits[] = {
        {"article cell of a standard list (a plural-only noun)",
         [](EmptyingEdits &, const QString &text) {
             tavtest::EditListCell(*tavtest::OpenStdList(317), 1, 3, text);
         },
         "SELECT Art || '/' || Genus FROM Main WHERE ID = 317", true, After::Unchanged},
        {"article cell of a simple list",
         [](EmptyingEdits &, const QString &text) {
             tavtest::EditListCell(*tavtest::OpenSimpleList(2), 1, 3, text);
         },
         "SELECT Art || '/' || Genus FROM Main WHERE ID = 2", true, After::Unchanged},
        {"voice box of the active form", VoiceBox(&tav::GrammarPanelProbe::tbAP),
         "SELECT coalesce(AP, '') FROM Main WHERE ID = 5", true, After::Typed},
        {"voice box of the passive form", VoiceBox(&tav::GrammarPanelProbe::tbPP),
         "SELECT coalesce(PP, '') FROM Main WHERE ID = 5", true, After::Typed},
        {"declension form cell",
         [](EmptyingEdits &t, const QString &text) {
             tavtest::OpenStdList(2);
             t.w->SmallFacts(2, QString(), 0);
             tav::GrammarPanel &panel = t.w->Grammar();
             tavtest::TypeInPanelCell(panel, *panel.FormsGrid(), *tavtest::PanelProbe(panel).tbN, 2, 2, text);
             panel.KeyDownEdits(*panel.FormsGrid(), *tavtest::PanelProbe(panel).tbN, winsys::vbKeyReturn);
         },
         "SELECT coalesce(sFAck, '') FROM Klino WHERE ID = 2", true, After::Typed},
    };
    for (const auto &edit : edits) {
        for (const Text kind : {Text::Blank, Text::OtherCase}) {
            SCOPED_TRACE(std::string(edit.edit) + (kind == Text::Blank ? " x blank" : " x other case"));
            TearDown();
            SetUp();
            const QString sql = QString::fromLatin1(edit.storedSql);
            const QString before = Stored(sql);
            // The stored text in capitals (an article's gender code aside).
            const QString typed = kind == Text::Blank ? QStringLiteral("  ") : before.section(QLatin1Char('/'), 0, 0).toUpper();
            ASSERT_FALSE(kind == Text::OtherCase && typed.isEmpty());
            messages.Clear();
            edit.commit(*this, typed); // a question is answered with its default
            const QString after = Stored(sql);
            if (kind == Text::Blank) {
                ASSERT_EQ(messages.Messages().size(), edit.askedOnBlank ? 1 : 0) << messages.Prompts().join('|').toStdString();
                EXPECT_EQ(winsys::DefaultAnswer(messages.Messages()[0].style), winsys::vbNo);
                EXPECT_EQ(after, before) << "No keeps it";
            } else {
                EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join('|').toStdString();
                EXPECT_EQ(after, edit.onOtherCase == After::Unchanged ? before : typed);
            }
        }
    }
}

// Esc in any editor of the grammar panel brings back the text it showed
// before the typing, as Esc in a list cell does; nothing is stored.
TEST_F(EmptyingEdits, EscInEveryEditorOfTheGrammarPanelBringsItsStoredTextBack)
{
    tavtest::OpenStdList(5);
    w->SmallFacts(5, QString(), 0);
    tav::GrammarPanel &panel = w->Grammar();
    for (QLineEdit *box : {tavtest::PanelProbe(panel).tbAP, tavtest::PanelProbe(panel).tbPP}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const QString shown = box->text();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral(" "));
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(box->text(), shown);
    }
    flexgrid::FlexGrid &grid = *panel.FormsGrid();
    grid.SetRow(1);
    grid.SetCol(1);
    const QString stored = grid.TextMatrix(1, 1);
    int key = 'x';
    panel.Grid_KeyPress(grid, key);
    panel.Editor_GotFocus(grid, *tavtest::PanelProbe(panel).tbN);
    ASSERT_TRUE(tavtest::PanelProbe(panel).tbN->isVisible());
    QTest::keyClick(tavtest::PanelProbe(panel).tbN, Qt::Key_Escape);
    EXPECT_FALSE(tavtest::PanelProbe(panel).tbN->isVisible());
    EXPECT_EQ(grid.TextMatrix(1, 1), stored);
    EXPECT_EQ(Stored(QStringLiteral("SELECT AP || '/' || PP FROM Main WHERE ID = 5")),
              QStringLiteral("aggivzw/aggivzomai"));
    EXPECT_TRUE(messages.Messages().isEmpty());
}

// A plural-only noun takes either plural article and keeps its gender.
TEST_F(EmptyingEdits, APluralOnlyNounKeepsItsGenderWithEitherPluralArticle)
{
    for (const char *article : {"ta", "oi"}) {
        SCOPED_TRACE(article);
        tavtest::EditListCell(*tavtest::OpenStdList(317), 1, 3, QString::fromLatin1(article));
        EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join('|').toStdString();
        EXPECT_EQ(Stored(QStringLiteral("SELECT Art || '/' || Genus FROM Main WHERE ID = 317")),
                  QString::fromLatin1(article) + QStringLiteral("/1"));
    }
}

} // namespace
