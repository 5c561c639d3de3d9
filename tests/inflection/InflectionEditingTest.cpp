// Editing forms in the grammar grids and their write-back: each grid's cell
// lands in its table and column and in FormsAll under that table, a missing
// row is made, a commit changes everything or nothing.

#include "PanelFixture.h"

#include "inflection/GrammarPanel.h"
#include "inflection/InflectionWriteBack.h"
#include "platform/flexgrid/FlexGrid.h"
#include "store/AdminSubs.h"
#include "store/ListEdits.h"
#include "store/SharedState.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using tav::FormCell;
using tav::MapInflectionCell;
using tavtest::PanelFixture;

namespace {

bool Same(const FormCell &a, const QString &table, const QString &column)
{
    return a.table == table && a.column == column;
}

TEST(InflectionCells, EachGridCellMapsToItsTableAndColumn)
{
    const QString k4 = QStringLiteral("KonT4"), k1 = QStringLiteral("KonT1");
    // Conjugation: tense by column, person by row, voice by the tag.
    EXPECT_TRUE(Same(MapInflectionCell("NewKona", 1, 1, 3, {}, k4), "KonT1", "S1a"));
    EXPECT_TRUE(Same(MapInflectionCell("NewKonp", 6, 3, 3, {}, k4), "KonT3", "P3p"));
    EXPECT_TRUE(Same(MapInflectionCell("NewKona", 4, 5, 3, {}, k4), "KonT4", "P1a"));
    EXPECT_TRUE(Same(MapInflectionCell("NewKonp", 2, 5, 3, {}, k1), "KonT1", "S2p")) << "Continuous";
    EXPECT_FALSE(MapInflectionCell("NewKona", 3, 4, 3, {}, k4).IsStored()) << "the composed column";
    EXPECT_FALSE(MapInflectionCell("NewKona", 0, 1, 3, {}, k4).IsStored());
    // Declension: an adjective by column, a noun by its gender in column 2.
    EXPECT_TRUE(Same(MapInflectionCell("Klino", 6, 3, 1, {}, k4), "Klino", "pNGen"));
    EXPECT_TRUE(Same(MapInflectionCell("Klino", 2, 2, 2, 1, k4), "Klino", "sFAck"));
    EXPECT_TRUE(Same(MapInflectionCell("Klino", 4, 2, 2, 0, k4), "Klino", "pMNom"));
    EXPECT_FALSE(MapInflectionCell("Klino", 2, 1, 2, 1, k4).IsStored()) << "the article's column";
    EXPECT_FALSE(MapInflectionCell("Klino", 2, 2, 2, 99, k4).IsStored());
    EXPECT_FALSE(MapInflectionCell("Klino", 2, 2, 4, {}, k4).IsStored()) << "neither noun, adjective nor verb";
    EXPECT_TRUE(Same(MapInflectionCell("KlinoMenos", 5, 2, 3, {}, k4), "KlinoMenos", "pFAck"));
    // Imperatives: IMPER for rows 1 and 2, the subjunctive's second persons below.
    EXPECT_TRUE(Same(MapInflectionCell("Imp", 2, 3, 3, {}, k4), "IMPER", "PlContAct"));
    EXPECT_TRUE(Same(MapInflectionCell("Imp", 1, 2, 3, {}, k4), "IMPER", "SiSimpPas"));
    EXPECT_TRUE(Same(MapInflectionCell("Imp", 5, 2, 3, {}, k4), "KonT4", "S2p"));
    // The continuous columns show the present's second persons.
    EXPECT_TRUE(Same(MapInflectionCell("Imp", 4, 3, 3, {}, k4), "KonT1", "P2a"));
    EXPECT_TRUE(Same(MapInflectionCell("Imp", 5, 4, 3, {}, k4), "KonT1", "S2p"));
}

TEST(InflectionCells, TheParticleComesOffBeforeBlanksAndMarksAreTidied)
{
    EXPECT_EQ(tav::StoredForm("Imp", 3, "na agaphvseiV"), "agaphvseiV");
    EXPECT_EQ(tav::StoredForm("Imp", 6, "mhn agaphvsete"), "agaphvsete");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "mh gravyeiV"), "gravyeiV");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "mh vgravyou"), "gravyou") << "the mark that led the form";
    EXPECT_EQ(tav::StoredForm("Imp", 4, "  na   gravyete "), "gravyete");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "mhtevra"), "mhtevra") << "only a particle with its blank";
    // A particle alone: the cell was emptied.
    EXPECT_EQ(tav::StoredForm("Imp", 3, "na "), "");
    EXPECT_EQ(tav::StoredForm("Imp", 4, "na"), "");
    EXPECT_EQ(tav::StoredForm("Imp", 6, " mhn  "), "");
    EXPECT_EQ(tav::StoredForm("Imp", 1, "na "), "na") << "rows 1 and 2 have no particle";
    // The particle in any case, as a user types it at the start of a line.
    EXPECT_EQ(tav::StoredForm("Imp", 3, "Na agaphqeivV"), "agaphqeivV");
    EXPECT_EQ(tav::StoredForm("Imp", 4, "NA agaphqeivte"), "agaphqeivte");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "Mh gravyeiV"), "gravyeiV");
    EXPECT_EQ(tav::StoredForm("Imp", 6, "MHN agaphqeivte"), "agaphqeivte");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "mHn"), "");
    EXPECT_EQ(tav::StoredForm("Imp", 5, "Mhtevra"), "Mhtevra");
    EXPECT_EQ(tav::StoredForm("", 2, "  vaggivvxe "), "aggivxe");
    // A capital's mark typed before it, where the font shows it, stands after it.
    EXPECT_EQ(tav::StoredForm("", 1, "vEllhnaV"), "EvllhnaV");
    EXPECT_EQ(tav::StoredForm("Imp", 3, "na vAkouseiV"), "AvkouseiV");
}

class EditFixture : public PanelFixture {
protected:
    long long Count(const QString &sql) { return NativeCount(sql); }

    // Types text into a cell as the user does: a first key opens the editor,
    // the rest is typed into it, Enter commits. False when no editor opened.
    bool Edit(flexgrid::FlexGrid &grid, int row, int col, const QString &text)
    {
        if (!Open(grid, row, col, text))
            return false;
        panel().KeyDownEdits(grid, *editorOf(grid), 13);
        return true;
    }
    // The same up to Enter: the editor holds the text, as if pasted after
    // the first key (FirstKey, else the text's first character).
    bool Open(flexgrid::FlexGrid &grid, int row, int col, const QString &text, int FirstKey = 0)
    {
        grid.SetRow(row);
        grid.SetCol(col);
        QLineEdit *editor = editorOf(grid);
        int key = FirstKey ? FirstKey : text.isEmpty() ? 13 : text.at(0).unicode();
        panel().Grid_KeyPress(grid, key);
        if (!editor->isVisible())
            return false;
        panel().Editor_GotFocus(grid, *editor); // the focus event, where no window is active
        editor->setText(text);
        return true;
    }
    QLineEdit *editorOf(flexgrid::FlexGrid &grid)
    {
        return &grid == &klin() ? controls().tbN : controls().tbImp;
    }
};

} // namespace

TEST_F(EditFixture, ATenseInEachVoiceIsStoredInItsTableAndInFormsAllUnderThatTable)
{
    w->SmallFacts(5, QString(), 0);
    const QString present = Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'KonT1' AND KasPer = 'S3a'");
    ASSERT_TRUE(Edit(klin(), 3, 2, "  vaggixe  "));
    EXPECT_EQ(Text("SELECT S3a FROM KonT2 WHERE ID = 5"), "aggixe") << "trimmed, no leading mark";
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'KonT2' AND KasPer = 'S3a'"), "aggixe");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'KonT1' AND KasPer = 'S3a'"), present)
        << "the same column of another tense is left alone";
    EXPECT_EQ(Count("SELECT count(*) FROM FormsAll WHERE ID = 5 AND KasPer = 'S3a'"), 4);
    EXPECT_EQ(klin().TextMatrix(3, 2), "aggixe");
    EXPECT_EQ(klin().Row(), 4) << "on to the next row";

    // The passive, column 5 with "Continuous": the present.
    w->Control<QAction>("mnuFirstParts(1)")->trigger();
    controls().opSimple[1]->click();
    ASSERT_TRUE(Edit(klin(), 4, 5, "aggizovmastee"));
    EXPECT_EQ(Text("SELECT P1p FROM KonT1 WHERE ID = 5"), "aggizovmastee");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'KonT1' AND KasPer = 'P1p'"),
              "aggizovmastee");
    EXPECT_NE(Text("SELECT P1p FROM KonT4 WHERE ID = 5"), "aggizovmastee");
    controls().opSimple[0]->click();

    // Column 5's third person feeds the composed column at once.
    ASSERT_TRUE(Edit(klin(), 3, 5, "aggicteiv"));
    EXPECT_TRUE(klin().TextMatrix(1, 4).endsWith(" aggicteiv"));
    EXPECT_EQ(Text("SELECT S3p FROM KonT4 WHERE ID = 5"), "aggicteiv");
}

TEST_F(EditFixture, DeclensionsByGenderAndCaseAndTheParticiple)
{
    w->SmallFacts(2, QString(), 0); // agavph, feminine
    ASSERT_TRUE(Edit(klin(), 2, 2, "agavphn"));
    EXPECT_EQ(Text("SELECT sFAck FROM Klino WHERE ID = 2"), "agavphn");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 2 AND GenTem = 'Klino' AND KasPer = 'sFAck'"), "agavphn");
    EXPECT_FALSE(Edit(klin(), 2, 1, "thn")) << "the article's column is not the word's";

    w->SmallFacts(3, QString(), 0); // an adjective
    ASSERT_TRUE(Edit(klin(), 6, 3, "agaphmevnwn"));
    EXPECT_EQ(Text("SELECT pNGen FROM Klino WHERE ID = 3"), "agaphmevnwn");
    EXPECT_EQ(klin().Col(), 3) << "the last cell of the last column stays (no list to return to)";

    w->SmallFacts(5, QString(), 33); // the participle view
    ASSERT_TRUE(Edit(klin(), 4, 2, "aggigmevnes"));
    EXPECT_EQ(Text("SELECT pFNom FROM KlinoMenos WHERE ID = 5"), "aggigmevnes");
    EXPECT_EQ(Count("SELECT count(*) FROM FormsAll WHERE ID = 5 AND GenTem = 'KlinoMenos' AND KasPer = 'pFNom'"), 1);
    ASSERT_TRUE(Edit(klin(), 6, 1, "aggigmevnwn"));
    EXPECT_EQ(klin().Row(), 1);
    EXPECT_EQ(klin().Col(), 2) << "from the last row on to the next column";
}

TEST_F(EditFixture, ImperativesAndSubjunctivesLandInTheirTablesWithoutTheParticle)
{
    w->SmallFacts(5, QString(), 33);
    ASSERT_TRUE(Edit(imp(), 2, 3, "aggivzete"));
    EXPECT_EQ(Text("SELECT PlContAct FROM IMPER WHERE ID = 5"), "aggivzete");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'IMPER' AND KasPer = 'PlContAct'"),
              "aggivzete");

    ASSERT_TRUE(Edit(imp(), 5, 2, "mhn aggicteivV"));
    EXPECT_EQ(Text("SELECT S2p FROM KonT4 WHERE ID = 5"), "aggicteivV");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 5 AND GenTem = 'KonT4' AND KasPer = 'S2p'"), "aggicteivV");
    EXPECT_EQ(imp().TextMatrix(5, 2), "mhn aggicteivV") << "shown again with its particle";
}

TEST_F(EditFixture, ACapitalParticleIsNotStoredAndTheLimitCountsTheFormAlone)
{
    w->SmallFacts(1, QString(), 33); // agapavw
    ASSERT_TRUE(Edit(imp(), 3, 2, "Na agaphqeivV"));
    EXPECT_EQ(Text("SELECT S2p FROM KonT4 WHERE ID = 1"), "agaphqeivV");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 1 AND GenTem = 'KonT4' AND KasPer = 'S2p'"), "agaphqeivV");
    EXPECT_EQ(imp().TextMatrix(3, 2), "na agaphqeivV");
    ASSERT_TRUE(Edit(imp(), 6, 3, "MHN agapavte"));
    EXPECT_EQ(Text("SELECT P2a FROM KonT1 WHERE ID = 1"), "agapavte");
    EXPECT_TRUE(messages.Messages().isEmpty());

    // A form of the full length behind its particle is stored whole.
    const QString longest(tav::MaxFormLength, 'a');
    ASSERT_TRUE(Edit(imp(), 5, 1, "mhn " + longest));
    EXPECT_TRUE(messages.Messages().isEmpty()) << messages.Prompts().join('|').toStdString();
    EXPECT_EQ(Text("SELECT S2a FROM KonT4 WHERE ID = 1"), longest);
    // One more is refused with the message, never cut: nothing stored, the
    // text waits in the editor.
    ASSERT_TRUE(Edit(imp(), 5, 1, "mhn " + longest + "b"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QString::number(tav::MaxFormLength)));
    EXPECT_EQ(controls().tbImp->text(), "mhn " + longest + "b");
    EXPECT_EQ(Text("SELECT S2a FROM KonT4 WHERE ID = 1"), longest);
    panel().KeyDownEdits(imp(), *controls().tbImp, 27);

    // Typing: the particle does not count against the limit.
    messages.Clear();
    ASSERT_TRUE(Open(imp(), 3, 1, "na " + QString(tav::MaxFormLength - 1, 'a')));
    int key = 'b';
    panel().Editor_KeyPress(*controls().tbImp, key);
    EXPECT_EQ(key, 'b');
    controls().tbImp->setText("na " + longest);
    key = 'b';
    panel().Editor_KeyPress(*controls().tbImp, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(messages.Messages().size(), 1);
    panel().KeyDownEdits(imp(), *controls().tbImp, 27);
}

TEST_F(EditFixture, AMissingRowIsMadeWithTheWordsFieldsAndFlag)
{
    // A verb that has no KonT2 row, and no Greek in Main.
    tav::WordDb->Execute("DELETE FROM KonT2 WHERE ID = 9");
    tav::WordDb->Execute("UPDATE Main SET ISKONJ = FALSE, Greek = NULL WHERE ID = 9");
    w->SmallFacts(9, QString(), 0);
    ASSERT_TRUE(Edit(klin(), 1, 2, "agkavliasa"));
    EXPECT_EQ(Text("SELECT S1a FROM KonT2 WHERE ID = 9"), "agkavliasa");
    EXPECT_EQ(Text("SELECT WT FROM KonT2 WHERE ID = 9"), "c1");
    EXPECT_EQ(Text("SELECT Greek FROM KonT2 WHERE ID = 9"), "");
    EXPECT_NE(Native("SELECT ISKONJ FROM Main WHERE ID = 9").toInt(), 0);

    // An imperative row of a verb without IMPER, and a subjunctive without KonT4.
    tav::WordDb->Execute("DELETE FROM KonT4 WHERE ID = 77");
    w->SmallFacts(77, QString(), 33); // anhvkw
    ASSERT_TRUE(Edit(imp(), 1, 1, "anhvke"));
    EXPECT_EQ(Text("SELECT SiSimpAct FROM IMPER WHERE ID = 77"), "anhvke");
    EXPECT_EQ(Text("SELECT Sal FROM IMPER WHERE ID = 77"), Text("SELECT Sal FROM Main WHERE ID = 77"));
    ASSERT_TRUE(Edit(imp(), 4, 1, "na anhvxete"));
    EXPECT_EQ(Text("SELECT P2a FROM KonT4 WHERE ID = 77"), "anhvxete");
    EXPECT_EQ(Text("SELECT Greek FROM KonT4 WHERE ID = 77"), "anhvkw");
    EXPECT_EQ(Text("SELECT Sal FROM KonT4 WHERE ID = 77"), Text("SELECT Sal FROM Main WHERE ID = 77"));
}

TEST_F(EditFixture, AFailingWriteLeavesNothingBehind)
{
    tav::WordDb->Execute("DELETE FROM KonT2 WHERE ID = 9");
    tav::WordDb->Execute("UPDATE Main SET ISKONJ = FALSE WHERE ID = 9");
    tav::WordDb->ExecNative("CREATE TRIGGER no_forms BEFORE INSERT ON FormsAll BEGIN SELECT RAISE(ABORT, 'full'); END");
    tav::WordDb->Execute("DELETE FROM FormsAll WHERE ID = 9 AND GenTem = 'KonT2'");
    w->SmallFacts(9, QString(), 0);
    const QString before = klin().TextMatrix(1, 2);
    ASSERT_TRUE(Edit(klin(), 1, 2, "agkavliasa"));
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(Count("SELECT count(*) FROM KonT2 WHERE ID = 9"), 0);
    EXPECT_EQ(Native("SELECT ISKONJ FROM Main WHERE ID = 9").toInt(), 0);
    EXPECT_EQ(klin().TextMatrix(1, 2), before);
    // The typed form is not lost: the editor is open again over its cell.
    EXPECT_TRUE(controls().tbN->isVisible());
    EXPECT_EQ(controls().tbN->text(), "agkavliasa");
    EXPECT_EQ(klin().Row(), 1);
    EXPECT_EQ(klin().Col(), 2);
}

TEST_F(EditFixture, OnlyTheWordsOwnFormsOpenAnEditorAndRefusedKeysChangeNothing)
{
    w->SmallFacts(5, QString(), 0);
    EXPECT_FALSE(Edit(klin(), 2, 4, "x")) << "the composed column";
    EXPECT_FALSE(Edit(klin(), 2, 1, "#")) << "not a Greek key";
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_FALSE(controls().tbN->isVisible());

    // Within the editor a refused key is swallowed, and told.
    messages.Clear();
    int key = '#';
    panel().Editor_KeyPress(*controls().tbN, key);
    EXPECT_EQ(key, 0);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith("You have entered an none valid character!"));
    key = 'V';
    panel().Editor_KeyPress(*controls().tbN, key);
    EXPECT_EQ(key, 'V') << "final sigma";

    const long long adverb = Count("SELECT min(ID) FROM Main WHERE WT = 'ad'");
    w->SmallFacts(adverb, QString(), 0);
    EXPECT_FALSE(Edit(klin(), 1, 1, "a")) << "the base state of a word without forms";
    w->BaseFrase();
    EXPECT_FALSE(Edit(klin(), 1, 1, "a")) << "the article";
    EXPECT_EQ(Count("SELECT count(*) FROM Klino WHERE ID = 99999 AND sMNom = 'a'"), 0);

    bool valid = false;
    QString text = "AgavPh";
    tav::MDI::TavValid(text, valid);
    EXPECT_TRUE(valid);
    EXPECT_EQ(text, "agavph");
    text = "ag#";
    tav::MDI::TavValid(text, valid);
    EXPECT_FALSE(valid);
    text.clear();
    tav::MDI::TavValid(text, valid);
    EXPECT_FALSE(valid);
}

TEST_F(EditFixture, AnOpenEditorNeverCommitsIntoAnotherWordAndEscCancels)
{
    w->SmallFacts(5, QString(), 0);
    const QString before5 = Text("SELECT S2a FROM KonT1 WHERE ID = 5");
    const QString before9 = Text("SELECT S2a FROM KonT1 WHERE ID = 9");
    ASSERT_TRUE(Open(klin(), 2, 1, "xxx"));

    // The list moves on to another word while the editor is open.
    w->SmallFacts(9, QString(), 0);
    EXPECT_FALSE(controls().tbN->isVisible());
    panel().Grid_GotFocus(klin());
    panel().KeyDownEdits(klin(), *controls().tbN, 13);
    EXPECT_EQ(Text("SELECT S2a FROM KonT1 WHERE ID = 9"), before9);
    EXPECT_EQ(Text("SELECT S2a FROM KonT1 WHERE ID = 5"), before5);

    // Esc: nothing stored, the cell as it was.
    ASSERT_TRUE(Open(klin(), 2, 1, "yyy", 'x'));
    panel().KeyDownEdits(klin(), *controls().tbN, 27);
    EXPECT_FALSE(controls().tbN->isVisible());
    panel().Grid_GotFocus(klin());
    EXPECT_EQ(Text("SELECT S2a FROM KonT1 WHERE ID = 9"), before9);
    EXPECT_EQ(klin().TextMatrix(2, 1), before9);
}

TEST_F(EditFixture, TheKeyboardEditsACellAndSkipsTheComposedColumn)
{
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->SmallFacts(5, QString(), 0);
    klin().setFocus();
    klin().SetRow(6);
    klin().SetCol(3);
    QTest::keyClick(&klin(), 'a');
    ASSERT_TRUE(controls().tbN->hasFocus());
    EXPECT_EQ(controls().tbN->font().family(), "VudedoGreek");
    QTest::keyClicks(controls().tbN, "giv#zan");
    QTest::keyClick(controls().tbN, Qt::Key_Return);
    EXPECT_EQ(Text("SELECT P3a FROM KonT3 WHERE ID = 5"), "agivzan");
    EXPECT_FALSE(controls().tbN->isVisible());
    EXPECT_EQ(klin().Row(), 1);
    EXPECT_EQ(klin().Col(), 5) << "the composed column is skipped";
}

TEST_F(EditFixture, AParticleLeftAloneEmptiesTheCellAndEveryCellOfTheFieldShowsTheEdit)
{
    w->SmallFacts(1, QString(), 33); // agapavw
    // Row 3 and row 5 show the same stored field, KonT4.S2a.
    ASSERT_EQ(imp().TextMatrix(5, 1), "mhn agaphvseiV");
    messages.Answer(winsys::vbYes); // emptying a stored form is asked first
    ASSERT_TRUE(Edit(imp(), 3, 1, "na "));
    EXPECT_EQ(Text("SELECT S2a FROM KonT4 WHERE ID = 1"), "");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 1 AND GenTem = 'KonT4' AND KasPer = 'S2a'"), "");
    EXPECT_EQ(imp().TextMatrix(3, 1), "") << "no \"na na\"";
    EXPECT_EQ(imp().TextMatrix(5, 1), "") << "the other row of the field";

    // The mark before the form goes after the particle has come off.
    ASSERT_TRUE(Edit(imp(), 6, 2, "mh vagaphqeivte"));
    EXPECT_EQ(Text("SELECT P2p FROM KonT4 WHERE ID = 1"), "agaphqeivte");
    EXPECT_EQ(imp().TextMatrix(6, 2), "mhn agaphqeivte");
    EXPECT_EQ(imp().TextMatrix(4, 2), "na agaphqeivte");

    // The continuous columns write the present they show.
    const QString aorist = Text("SELECT P2a FROM KonT4 WHERE ID = 1");
    ASSERT_TRUE(Edit(imp(), 4, 3, "na agapavtee"));
    EXPECT_EQ(Text("SELECT P2a FROM KonT1 WHERE ID = 1"), "agapavtee");
    EXPECT_EQ(Text("SELECT FormGreek FROM FormsAll WHERE ID = 1 AND GenTem = 'KonT1' AND KasPer = 'P2a'"), "agapavtee");
    EXPECT_EQ(Text("SELECT P2a FROM KonT4 WHERE ID = 1"), aorist);
    EXPECT_EQ(imp().TextMatrix(6, 3), "mhn agapavtee");
    EXPECT_EQ(imp().TextMatrix(4, 1), "na " + aorist);

    // Shown again, the panel reads what was stored.
    w->SmallFacts(1, QString(), 33);
    EXPECT_EQ(imp().TextMatrix(3, 1), "");
    EXPECT_EQ(imp().TextMatrix(6, 3), "mhn agapavtee");
}

TEST_F(EditFixture, PastedTextPassesTheRuleOfTheKeysOrStaysInTheEditor)
{
    w->SmallFacts(5, QString(), 0);
    const QString before = Text("SELECT S2a FROM KonT2 WHERE ID = 5");
    const long long forms = Count("SELECT count(*) FROM FormsAll");
    const QString pasted[] = {"it's \"q\"", "[a-c]", "100%", QString::fromUtf8("αγάπη"), QString::fromUtf8("a\U0001F600"),
                              "a\tb", "agap\x01", "agap\nhse", QString(5000, 'a')};
    for (const QString &text : pasted) {
        messages.Clear();
        ASSERT_TRUE(Open(klin(), 2, 2, text, 'a'));
        panel().KeyDownEdits(klin(), *controls().tbN, 13);
        EXPECT_EQ(messages.Messages().size(), 1) << text.left(20).toStdString();
        EXPECT_TRUE(controls().tbN->isVisible()) << "the text waits to be mended";
        EXPECT_EQ(controls().tbN->text(), text);
        EXPECT_EQ(Text("SELECT S2a FROM KonT2 WHERE ID = 5"), before);
        EXPECT_EQ(klin().TextMatrix(2, 2), before);
        panel().KeyDownEdits(klin(), *controls().tbN, 27);
        EXPECT_FALSE(controls().tbN->isVisible());
    }
    EXPECT_EQ(Count("SELECT count(*) FROM FormsAll"), forms);
    messages.Clear();

    // A mended text is stored.
    ASSERT_TRUE(Edit(klin(), 2, 2, "aggixeV"));
    EXPECT_EQ(Text("SELECT S2a FROM KonT2 WHERE ID = 5"), "aggixeV");
    EXPECT_TRUE(messages.Messages().isEmpty());

    // Typing stops where a form must end, with a message.
    ASSERT_TRUE(Open(klin(), 2, 2, QString(tav::MaxFormLength, 'a')));
    int key = 'b';
    panel().Editor_KeyPress(*controls().tbN, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(messages.Messages().size(), 1);
    controls().tbN->selectAll();
    key = 'b';
    panel().Editor_KeyPress(*controls().tbN, key);
    EXPECT_EQ(key, 'b') << "in place of the selection";
    panel().KeyDownEdits(klin(), *controls().tbN, 27);
}

TEST_F(EditFixture, AFormOfAWordThatHasLeftTheListIsRefused)
{
    w->SmallFacts(5, QString(), 0);
    tav::DeleteWord(5);
    const long long forms = Count("SELECT count(*) FROM FormsAll");
    ASSERT_TRUE(Edit(klin(), 1, 2, "aggixa"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages().constFirst().prompt.contains("no longer in the word list"));
    EXPECT_EQ(Count("SELECT count(*) FROM KonT2 WHERE ID = 5"), 0) << "no orphan row";
    EXPECT_EQ(Count("SELECT count(*) FROM FormsAll"), forms);
}

// The panel prepares its queries once and runs them again for each word: a
// verb shown again after an edit, and after compaction has opened a new
// connection, shows what is stored.
TEST_F(EditFixture, AVerbShownAgainShowsItsStoredFormsAfterAnEditAndAfterCompaction)
{
    auto expectStored = [&](long long id) {
        w->SmallFacts(id, QString(), 0);
        EXPECT_EQ(Column(klin(), 1), Stored("KonT1", id, "a")) << id;
        EXPECT_EQ(Column(klin(), 2), Stored("KonT2", id, "a")) << id;
        EXPECT_EQ(Column(klin(), 3), Stored("KonT3", id, "a")) << id;
        EXPECT_EQ(Column(klin(), 5), Stored("KonT4", id, "a")) << id;
    };
    w->SmallFacts(5, QString(), 0);
    ASSERT_TRUE(Edit(klin(), 3, 2, "aggixe"));
    ASSERT_TRUE(Edit(klin(), 2, 5, "aggiceiV"));
    expectStored(9);
    expectStored(5);
    EXPECT_EQ(klin().TextMatrix(3, 2), "aggixe");
    EXPECT_EQ(klin().TextMatrix(2, 5), "aggiceiV");

    ASSERT_TRUE(tav::CompactWordDatabase()) << messages.Prompts().join("\n").toStdString();
    expectStored(9);
    expectStored(5);
    EXPECT_EQ(klin().TextMatrix(3, 2), "aggixe");
}

// What the panel composes from a stored form follows its edit at once, as if
// the word were shown again; nothing is composed beside an empty form.
TEST_F(EditFixture, TheArticleAndTheCompoundTenseFollowAnEditAndStandOnlyBesideAForm)
{
    struct Case {
        long long id;
        int row;
        QString typed, article;
    };
    const QList<Case> cases = {
        {10, 2, "gambrov", "to"},   // agkwvnaV, masculine: ton before a vowel, to before g
        {10, 2, "ntelavlh", "ton"}, // before nt
        {10, 2, "", ""},            // emptied: no article
        {2, 2, "mhtevra", "th"},    // agavph, feminine
        {2, 2, "agavph", "thn"},
        {10, 5, "", ""},            // any case, not only the accusative
        {10, 5, "agkwvneV", "touV"},
    };
    for (const Case &c : cases) {
        w->SmallFacts(c.id, QString(), 0);
        if (c.typed.isEmpty())
            messages.Answer(winsys::vbYes); // emptying a stored form is asked first
        ASSERT_TRUE(Edit(klin(), c.row, 2, c.typed)) << c.typed.toStdString();
        EXPECT_EQ(klin().TextMatrix(c.row, 2), c.typed);
        EXPECT_EQ(klin().TextMatrix(c.row, 1), c.article) << c.typed.toStdString();
        const QString edited = klin().TextMatrix(c.row, 1);
        w->SmallFacts(c.id, QString(), 0);
        EXPECT_EQ(klin().TextMatrix(c.row, 1), edited) << "the same when the word is shown again";
    }

    // A noun used only in the plural: no article beside its empty singular.
    w->SmallFacts(317, QString(), 0); // diakopevV
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(klin().TextMatrix(r, 1), "") << r;
    EXPECT_EQ(klin().TextMatrix(4, 1), "oi");
    EXPECT_EQ(klin().TextMatrix(6, 1), "twn");

    // The perfect follows the third person of the subjunctive column.
    w->SmallFacts(1, QString(), 0);
    ASSERT_TRUE(Edit(klin(), 3, 5, "agaphvsei"));
    EXPECT_TRUE(klin().TextMatrix(1, 4).endsWith(" agaphvsei"));
}
