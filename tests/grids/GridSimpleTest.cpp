// The simple list window on the shipped words: English and third-language
// lists with and without a letter, sorting, the road to a word's complete
// record, and editing meanings with the meaning index and counts checked in
// the database.

#include "support/ListWindowProbe.h"
#include "ListWindowFixture.h"
#include "support/ListCellTyping.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "store/CaptionArrays.h"
#include "grids/ListOpeners.h"
#include "platform/winsys/VbKeys.h"
#include "store/CategoryCodes.h"
#include "store/Dynasets.h"
#include "store/GreekLetters.h"
#include "store/SharedState.h"
#include "store/Settings.h"
#include "store/ThirdLanguages.h"
#include "support/RecordingListWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>

using tavtest::ListWindowFixture;

namespace {

class GridSimpleTest : public ListWindowFixture {
protected:
    tav::GridSimple *Open(const QString &where, int lang, const QString &word = QStringLiteral("x"))
    {
        const QString sql = (lang == 1 ? tav::SqlAllEnglish : tav::SqlAllLang3) + where;
        dao::RecordsetPtr rows = tav::RowsPassing(sql, QString());
        EXPECT_TRUE(rows) << sql.toStdString();
        auto *w = Keep(new tav::GridSimple);
        w->Open(std::move(rows), sql, lang, tav::ListOpeners::SimpleTitle(word), 2);
        return w;
    }
    static void Edit(tav::GridSimple *w, int row, int col, const QString &text)
    {
        tavtest::EditListCell(*w, row, col, text);
    }
    QString English(long long id) { return Value(QStringLiteral("SELECT English FROM Main WHERE ID = %1").arg(id)).toString(); }
    int Emeans(long long id) { return Value(QStringLiteral("SELECT Emeans FROM Main WHERE ID = %1").arg(id)).toInt(); }
};

TEST_F(GridSimpleTest, EnglishAndThirdLanguageListsWithTheirCaptionsColumnsAndSorts)
{
    host.nodeTag = QStringLiteral("GBW");
    tav::GridSimple *w = Open(QString(), 1, QStringLiteral("English"));
    const flexgrid::FlexGrid &g = *w->Grid();
    EXPECT_EQ(g.Rows() - 1, Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek")));
    EXPECT_EQ(w->Caption(), QString::number(g.Rows() - 1) + QStringLiteral(" non unique ") +
                                tav::CategoryText(QStringLiteral("GBW")) + QStringLiteral(" on \"English\""));
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.ColWidth(1), 0);
    EXPECT_GE(g.ColWidth(2), 2550);
    EXPECT_EQ(g.ColWidth(3), 550);
    EXPECT_GE(g.ColWidth(4), g.ColWidth(2));
    EXPECT_EQ(g.CellFontNameAt(1, 4), QStringLiteral("VudedoGreek"));
    EXPECT_EQ(w->cmdSort[0]->text(), QStringLiteral("English"));
    EXPECT_TRUE(w->cmdSort[0]->styleSheet().contains(QStringLiteral("#ff0000")));
    for (int r = 2; r < g.Rows(); ++r)
        ASSERT_LE(QString::compare(g.TextMatrix(r - 1, 2), g.TextMatrix(r, 2), Qt::CaseInsensitive), 0) << r;
    ASSERT_FALSE(host.facts.isEmpty());
    EXPECT_EQ(host.facts.last(), g.TextMatrix(1, 1) + QLatin1Char('|') + g.TextMatrix(1, 2) + QStringLiteral("|3"));
    EXPECT_EQ(tavtest::ListProbe(w).lblInfo->text(), g.TextMatrix(1, 4));

    // The Greek button sorts on the sort key; a refresh keeps that sort.
    w->cmdSort_Click(1);
    EXPECT_TRUE(w->cmdSort[1]->styleSheet().contains(QStringLiteral("#ffffff")));
    for (int r = 2; r < g.Rows(); ++r)
        ASSERT_LE(QString::compare(g.TextMatrix(r - 1, 0), g.TextMatrix(r, 0), Qt::CaseInsensitive), 0) << r;
    w->RefreshGrid();
    for (int r = 2; r < g.Rows(); ++r)
        ASSERT_LE(QString::compare(g.TextMatrix(r - 1, 0), g.TextMatrix(r, 0), Qt::CaseInsensitive), 0) << r;
    w->cmdart_Click();
    EXPECT_EQ(g.Col(), 3);

    // A Swedish list with a letter chosen: the letter names the list.
    tav::SetLetterPicked(true);
    tav::SetTreeBuilt(false);
    host.letterIndex = 2;
    tav::GridSimple *sv = Open(QStringLiteral(" WHERE Lat Like'b*'"), 2, QStringLiteral("b"));
    tav::SetLetterPicked(false);
    EXPECT_TRUE(sv->Caption().endsWith(QStringLiteral(" on \"b\""))) << sv->Caption().toStdString();
    EXPECT_EQ(sv->cmdSort[0]->text(), QStringLiteral("Swedish"));
    EXPECT_TRUE(sv->cmdSort[0]->styleSheet().contains(QStringLiteral("#ffff00")));
    for (int r = 1; r < sv->Grid()->Rows(); ++r)
        ASSERT_TRUE(sv->Grid()->TextMatrix(r, 2).startsWith(QLatin1Char('b'), Qt::CaseInsensitive)) << r;
}

TEST_F(GridSimpleTest, EmptyResultsAndDigitsLeaveTheirMarks)
{
    tav::ListOpeners openers;
    openers.DoSimpleGrid(tav::SqlAllLang3 + QStringLiteral(" WHERE Lat Like'qqqzz'"), 2, QStringLiteral("qqqzz"), 2);
    EXPECT_EQ(host.noResult, QStringList({QStringLiteral("No records found for Swedish words on :"),
                                          QStringLiteral("qqqzz")}));
    EXPECT_FALSE(tav::ListOpeners::SimpleTitle(QStringLiteral("3 dogs")).contains(QLatin1Char('"')));
    EXPECT_TRUE(messages.Messages().isEmpty());
}

TEST_F(GridSimpleTest, RightClickOpensTheWordsCompleteRecordOrTellsItIsMissing)
{
    tavtest::RecordingListWindowFactory factory;
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 1);
    emit w->Grid()->MouseUp(flexgrid::vbRightButton, 0, 10, 10);
    ASSERT_EQ(factory.m_windows.size(), 1u);
    EXPECT_EQ(factory.m_windows.front()->m_rows->RecordCount(), 1);
    EXPECT_EQ(factory.m_windows.front()->m_tag, QStringLiteral("2"));
    EXPECT_EQ(factory.m_windows.front()->m_caption, QStringLiteral("1 The complete post # =36"));

    // A word without a third-language row: the Sorry window says so.
    tav::WordDb->ExecNative(QStringLiteral("DELETE FROM GreekSwedish WHERE ID = 36"));
    emit w->Grid()->MouseUp(flexgrid::vbRightButton, 0, 10, 10);
    EXPECT_EQ(factory.m_windows.size(), 1u);
    ASSERT_EQ(factory.m_sorry.size(), 1);
    EXPECT_EQ(factory.m_sorry.first().text, QStringLiteral("The complete post # =36"));

    // A query that fails is told with the engine's message; no window opens.
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE GreekSwedish RENAME TO GreekSwedishGone"));
    messages.Clear();
    emit w->Grid()->MouseUp(flexgrid::vbRightButton, 0, 10, 10);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("GreekSwedish")))
        << messages.Messages()[0].prompt.toStdString();
    EXPECT_EQ(messages.Messages()[0].style, winsys::vbOKOnly);
    EXPECT_EQ(factory.m_windows.size(), 1u);
    EXPECT_EQ(factory.m_sorry.size(), 1);
    tav::WordDb->ExecNative(QStringLiteral("ALTER TABLE GreekSwedishGone RENAME TO GreekSwedish"));

    tav::OptBoHide3 = true; // nothing while the third language is hidden
    emit w->Grid()->MouseUp(flexgrid::vbRightButton, 0, 10, 10);
    EXPECT_EQ(factory.m_sorry.size(), 1);
}

TEST_F(GridSimpleTest, RenamingAndAddingMeaningsKeepTheListCountAndIndexInStep)
{
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 1);
    const int still = RowOf(*w->Grid(), 2, QStringLiteral("still"));
    ASSERT_GT(still, 0);

    // A rename replaces the meaning in the word's list and its index row.
    Edit(w, still, 2, QStringLiteral("  motionless  "));
    EXPECT_EQ(English(36), QStringLiteral("even, more, motionless, yet"));
    EXPECT_EQ(Emeans(36), 4);
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 36),
              QStringList({QStringLiteral("even"), QStringLiteral("more"), QStringLiteral("motionless"),
                           QStringLiteral("yet")}));
    EXPECT_EQ(w->Grid()->TextMatrix(still, 2), QStringLiteral("motionless"));
    EXPECT_EQ(w->Grid()->Col(), 3);

    // "yet," adds no empty meaning; a typed quote is stored as typed.
    const int yet = RowOf(*w->Grid(), 2, QStringLiteral("yet"));
    Edit(w, yet, 2, QStringLiteral("yet,"));
    EXPECT_EQ(English(36), QStringLiteral("even, more, motionless, yet"));
    messages.Answer(winsys::vbOK);
    Edit(w, yet, 2, QStringLiteral("yet, o'clock"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first().prompt,
              QStringLiteral("Do you want to add the word: \r\n\"o'clock\" as another English meaning \r\nof the "
                             "Greek word in post 36"));
    EXPECT_EQ(messages.Messages().first().style, 33);
    EXPECT_EQ(English(36), QStringLiteral("even, more, motionless, o'clock, yet"));
    EXPECT_EQ(Emeans(36), 5);
    EXPECT_TRUE(IndexRows(QStringLiteral("AllEnglishGreek"), 36).contains(QStringLiteral("o'clock")));
    EXPECT_EQ(w->Grid()->TextMatrix(yet, 2), QStringLiteral("yet")) << "the row keeps its own meaning";

    // Cancel stores nothing and puts the stored text back.
    messages.Answer(winsys::vbCancel);
    Edit(w, yet, 2, QStringLiteral("yet, still"));
    EXPECT_EQ(English(36), QStringLiteral("even, more, motionless, o'clock, yet"));
    EXPECT_EQ(w->Grid()->TextMatrix(yet, 2), QStringLiteral("yet"));

    // Renaming down to one meaning of a word with one row left.
    tav::WordDb->ExecNative(QStringLiteral("UPDATE Main SET English = 'alas', Emeans = 1 WHERE ID = 48"));
    tav::GridSimple *one = Open(QStringLiteral(" WHERE ID = 48"), 1);
    Edit(one, 1, 2, QStringLiteral("woe"));
    EXPECT_EQ(English(48), QStringLiteral("woe"));
    EXPECT_EQ(Emeans(48), 1);
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 48), QStringList({QStringLiteral("woe")}));

    // An emptied meaning is refused and the editor reopens on the old word.
    messages.Clear();
    Edit(one, 1, 2, QString());
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(tavtest::ListProbe(one).tbN->isVisibleTo(one));
    EXPECT_EQ(tavtest::ListProbe(one).tbN->text(), QStringLiteral("woe"));
    EXPECT_EQ(English(48), QStringLiteral("woe"));
}

TEST_F(GridSimpleTest, ThirdLanguageMeaningsArticleAndSpelling)
{
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 2);
    const int mer = RowOf(*w->Grid(), 2, QStringLiteral("mer"));
    ASSERT_GT(mer, 0);
    messages.Answer(winsys::vbOK);
    Edit(w, mer, 2, QStringLiteral("mer, ytterligare"));
    EXPECT_TRUE(messages.Messages().first().prompt.contains(QStringLiteral(" as another Swedish meaning ")));
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(),
              QStringLiteral("fortfarande, mer, till och med, ytterligare, ännu"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Means FROM GreekSwedish WHERE ID = 36")).toInt(), 5);
    EXPECT_EQ(IndexRows(QStringLiteral("AllSwedishGreek"), 36).size(), 5);
    EXPECT_EQ(IndexRows(QStringLiteral("AllEnglishGreek"), 36).size(), 4) << "English is left alone";

    Edit(w, mer, 3, QStringLiteral("to"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Art FROM Main WHERE ID = 36")).toString(), QStringLiteral("to"));
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM AllSwedishGreek WHERE ID = 36 AND Art = 'to'")), 5);
    messages.Answer(winsys::vbYes); // the word loses its gender: asked first
    Edit(w, mer, 3, QString());
    EXPECT_EQ(Value(QStringLiteral("SELECT Genus FROM Main WHERE ID = 36")).toInt(), 99);
    Edit(w, mer, 4, QStringLiteral("akovmh"));
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM AllSwedishGreek WHERE ID = 36 LIMIT 1")).toString(),
              QStringLiteral("akovmh"));
    EXPECT_EQ(w->Grid()->Col(), 2) << "after the last column the cursor wraps to the meanings";
}

TEST_F(GridSimpleTest, PastedUnicodeGreekIsRefusedAndAListOfAFormerLanguageCloses)
{
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 2);
    const int mer = RowOf(*w->Grid(), 2, QStringLiteral("mer"));
    ASSERT_GT(mer, 0);
    const QString greek = Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString();
    Edit(w, mer, 4, QStringLiteral("ακόμα"));
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(QStringLiteral("Nothing was stored: the character \"")))
        << messages.Messages()[0].prompt.toStdString();
    EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), QStringLiteral("ακόμα"));
    w->KeyDownEdits(winsys::vbKeyEscape);
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString(), greek);
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM AllSwedishGreek WHERE ID = 36 LIMIT 1")).toString(), greek);

    // The Swedish list goes when German becomes the third language; the
    // English one stays.
    QPointer<tav::GridSimple> swedish = w;
    tav::GridSimple *english = Open(QStringLiteral(" WHERE ID = 36"), 1);
    tav::AddThirdLanguage(QStringLiteral("German"), QStringLiteral("willkommen"));
    const tav::ThirdLanguageSaved saved = tav::Save3rdLang(QStringLiteral("German"));
    ASSERT_TRUE(saved);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(swedish.isNull() || !swedish->isVisible());
    EXPECT_TRUE(english->isVisible());
    ASSERT_TRUE(saved.ListsClosed);
    EXPECT_TRUE(saved.ListsClosed->Prompt.contains(QStringLiteral("Swedish meanings were closed")));
}

TEST_F(GridSimpleTest, CommasAndBlanksAreRefusedWithTheMessageOfAnEmptyCellInBothLists)
{
    const QString refusal = tav::Caps1185(1197) + QStringLiteral("\r\n") + tav::Caps1185(1207);
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 1);
    const int still = RowOf(*w->Grid(), 2, QStringLiteral("still"));
    for (int col : {2, 3, 4}) {
        SCOPED_TRACE(col);
        messages.Clear();
        const QString before = w->Grid()->TextMatrix(still, col);
        Edit(w, still, col, QStringLiteral(" , "));
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_EQ(messages.Messages()[0].prompt, refusal);
        EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w)) << "the editor reopens";
        EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), before);
        w->KeyDownEdits(winsys::vbKeyEscape);
    }
    EXPECT_EQ(Value(QStringLiteral("SELECT Greek FROM Main WHERE ID = 36")).toString(), QStringLiteral("akovma"));
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM AllEnglishGreek WHERE Greek = ','")), 0);
    EXPECT_EQ(Value(QStringLiteral("SELECT Art FROM Main WHERE ID = 36")).toString(), QString());
    EXPECT_EQ(English(36), QStringLiteral("still, yet, even, more"));

    // The standard list says the same.
    auto *std = Keep(new tav::GridStd);
    tav::ShowNewStdGrid(*std, tav::RowsPassing(tav::SqlLang3, QStringLiteral("ID = 36")), QStringLiteral("ID = 36"),
                        tav::SqlLang3, QStringLiteral("1 Greek words"), 0, 2);
    for (int col : {4, 5, 6}) {
        SCOPED_TRACE(col);
        messages.Clear();
        tavtest::EditListCell(*std, 1, col, QStringLiteral(",,  ,"));
        ASSERT_EQ(messages.Messages().size(), 1);
        EXPECT_EQ(messages.Messages()[0].prompt, refusal);
        std->KeyDownEdits(winsys::vbKeyEscape);
    }
    EXPECT_EQ(Value(QStringLiteral("SELECT Lat FROM GreekSwedish WHERE ID = 36")).toString(),
              QStringLiteral("fortfarande, ännu, till och med, mer"));
}

TEST_F(GridSimpleTest, TheGrammarPanelGetsTheRowsMeaningWhicheverColumnIsCurrent)
{
    tav::GridSimple *w = Open(QStringLiteral(" WHERE ID = 36"), 2);
    const int mer = RowOf(*w->Grid(), 2, QStringLiteral("mer"));
    for (int col : {2, 3, 4}) {
        SCOPED_TRACE(col);
        tav::SetGridBusy(true);
        w->Grid()->SetRow(mer);
        w->Grid()->SetCol(col);
        tav::SetGridBusy(false);
        w->ShowCellInfo();
        EXPECT_EQ(host.facts.last(), QStringLiteral("36|mer|3"));
    }
}

} // namespace
