// Every editable column of both list kinds stores what the cell shows, or
// refuses the text with a message and keeps what is stored: capitals,
// pasted Unicode Greek, control characters, a text over the limit, a text
// the typing rule refuses, an empty text, and a write that fails.

#include "support/ListWindowProbe.h"
#include "ListWindowFixture.h"
#include "support/ListCellTyping.h"

#include "grids/GridSimple.h"
#include "grids/GridStd.h"
#include "grids/ListOpeners.h"
#include "platform/winsys/VbKeys.h"
#include "store/Dynasets.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "support/FullDisk.h"

#include <QLineEdit>

#include <functional>

using tavtest::ListWindowFixture;

namespace {

// The word edited: a feminine noun with one English and one Swedish meaning.
constexpr long long kWord = 7;
const QString kArt = QStringLiteral("h");
const QString kGreek = QStringLiteral("agelavda");
const QString kEnglish = QStringLiteral("cow");
const QString kSwedish = QStringLiteral("ko");

enum class Kind { Article, Headword, Meaning };

struct Place {
    const char *name;
    bool simple; // the simple list (English), else the standard list
    int col;
    Kind kind;
    const char *storedSql; // the value the cell shows, for the word
};

const Place kPlaces[] = {
    {"standard article", false, 3, Kind::Article, "SELECT Art FROM Main WHERE ID = %1"},
    {"standard headword", false, 4, Kind::Headword, "SELECT Greek FROM Main WHERE ID = %1"},
    {"standard English", false, 5, Kind::Meaning, "SELECT English FROM Main WHERE ID = %1"},
    {"standard Swedish", false, 6, Kind::Meaning, "SELECT Lat FROM GreekSwedish WHERE ID = %1"},
    {"simple meaning", true, 2, Kind::Meaning, "SELECT group_concat(Lat) FROM AllEnglishGreek WHERE ID = %1"},
    {"simple article", true, 3, Kind::Article, "SELECT Art FROM Main WHERE ID = %1"},
    {"simple headword", true, 4, Kind::Headword, "SELECT Greek FROM Main WHERE ID = %1"},
};

class ListCellChecks : public ListWindowFixture {
protected:
    // The word as the shipped file has it, then a new list window on it.
    tav::ListWindow *OpenOn(const Place &place)
    {
        const QString id = QString::number(kWord);
        for (const QString &sql :
             {QStringLiteral("UPDATE Main SET Art = 'h', Genus = 1, Greek = 'agelavda', Sal = 'agekada', "
                             "English = 'cow', Emeans = 1 WHERE ID = ") + id,
              QStringLiteral("UPDATE GreekSwedish SET Lat = 'ko', Means = 1 WHERE ID = ") + id,
              QStringLiteral("DELETE FROM AllEnglishGreek WHERE ID = ") + id,
              QStringLiteral("INSERT INTO AllEnglishGreek (Sal, ID, Lat, Art, Greek) VALUES ('agekada', ") + id +
                  QStringLiteral(", 'cow', 'h', 'agelavda')")})
            tav::WordDb->ExecNative(sql);
        tav::ListWindow *w = nullptr;
        if (place.simple) {
            const QString sql = tav::SqlAllEnglish + QStringLiteral(" WHERE ID = ") + id;
            auto *simple = Keep(new tav::GridSimple);
            simple->Open(tav::RowsPassing(sql, QString()), sql, 1, tav::ListOpeners::SimpleTitle(kEnglish), 2);
            w = simple;
        } else {
            auto *std = Keep(new tav::GridStd);
            const QString filter = QStringLiteral("ID = ") + id;
            tav::ShowNewStdGrid(*std, tav::RowsPassing(tav::SqlLang3, filter), filter, tav::SqlLang3,
                                QStringLiteral("1 Greek word"), 0, 2);
            w = std;
        }
        messages.Clear();
        return w;
    }
    QString Stored(const Place &place) const { return Value(QString::fromLatin1(place.storedSql).arg(kWord)).toString(); }
    // Types Text over the cell of the word in the place's column, Enter.
    static void Edit(tav::ListWindow *w, const Place &place, const QString &text)
    {
        const int row = RowOf(*w->Grid(), 1, QString::number(kWord));
        ASSERT_GT(row, 0);
        tavtest::EditListCell(*w, row, place.col, text);
    }
    QString Cell(tav::ListWindow *w, const Place &place) const
    {
        return w->Grid()->TextMatrix(RowOf(*w->Grid(), 1, QString::number(kWord)), place.col);
    }
};

// What a text does in a place: stored as given, or refused.
struct Outcome {
    bool refused;
    QString stored;
};
Outcome Refused() { return {true, QString()}; }
Outcome Stores(const QString &text) { return {false, text}; }

TEST_F(ListCellChecks, EveryEditableColumnStoresWhatItShowsOrRefusesWithAMessage)
{
    const QString longText = QString(51, QLatin1Char('a')); // the store's fields hold 50
    const struct {
        const char *input;
        std::function<QString(Kind)> text;
        std::function<Outcome(Kind, const Place &)> outcome;
    } inputs[] = {
        {"a capital",
         [](Kind k) { return k == Kind::Article ? QStringLiteral("H") : k == Kind::Headword ? QStringLiteral("Agelavda") : QStringLiteral("Cow"); },
         [](Kind k, const Place &) {
             // The article is stored in small letters, and so shown.
             return Stores(k == Kind::Article ? QStringLiteral("h") : k == Kind::Headword ? QStringLiteral("Agelavda")
                                                                                          : QStringLiteral("Cow"));
         }},
        {"pasted Unicode Greek",
         [](Kind k) { return k == Kind::Article ? QStringLiteral("η") : QStringLiteral("αγελάδα"); },
         [](Kind k, const Place &) { return k == Kind::Meaning ? Stores(QStringLiteral("αγελάδα")) : Refused(); }},
        {"a control character", [](Kind) { return QStringLiteral("h\a"); }, [](Kind, const Place &) { return Refused(); }},
        {"a text over the limit", [&](Kind) { return longText; },
         [&](Kind k, const Place &) { return k == Kind::Meaning ? Stores(longText) : Refused(); }},
        {"a text the typing rule refuses", [](Kind) { return QStringLiteral("Ls1:E*"); },
         [](Kind k, const Place &) { return k == Kind::Meaning ? Stores(QStringLiteral("Ls1:E*")) : Refused(); }},
        {"an emoji", [](Kind) { return QString::fromUtf8("\xF0\x9F\x98\x80"); },
         [](Kind k, const Place &) { return k == Kind::Meaning ? Stores(QString::fromUtf8("\xF0\x9F\x98\x80")) : Refused(); }},
        {"digits alone", [](Kind) { return QStringLiteral("12345"); },
         [](Kind k, const Place &) { return k == Kind::Meaning ? Stores(QStringLiteral("12345")) : Refused(); }},
        // Emptying: the article is asked about (it takes the gender away; No
        // is the default), the Swedish meanings may go, the rest is refused.
        {"an empty text", [](Kind) { return QString(); },
         [](Kind, const Place &p) { return p.col == 6 ? Stores(QString()) : Refused(); }},
    };
    for (const auto &input : inputs) {
        for (const Place &place : kPlaces) {
            SCOPED_TRACE(std::string(place.name) + " x " + input.input);
            tav::ListWindow *w = OpenOn(place);
            const QString before = Stored(place);
            const QString typed = input.text(place.kind);
            const Outcome expected = input.outcome(place.kind, place);
            Edit(w, place, typed);
            if (expected.refused) {
                EXPECT_EQ(Stored(place), before);
                EXPECT_EQ(Cell(w, place), before) << "the cell shows what is stored";
                ASSERT_FALSE(messages.Messages().isEmpty()) << "refused with a message";
                EXPECT_FALSE(messages.Prompts().join(QLatin1Char('|')).contains(QStringLiteral("corrected")))
                    << messages.Prompts().join(QLatin1Char('|')).toStdString();
                EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w)) << "the editor opens again";
                w->KeyDownEdits(winsys::vbKeyEscape);
            } else {
                EXPECT_EQ(Stored(place), expected.stored);
                EXPECT_EQ(Cell(w, place), expected.stored) << "stored exactly as shown";
                EXPECT_FALSE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
            }
            // No edit of an article takes a noun's gender away unasked.
            EXPECT_EQ(Value(QStringLiteral("SELECT Genus FROM Main WHERE ID = %1").arg(kWord)).toInt(), 1);
            w->CloseWindow();
        }
    }
}

TEST_F(ListCellChecks, AnArticleThatTakesTheGenderAwayIsStoredOnlyWhenTheUserSaysYes)
{
    for (const Place &place : kPlaces) {
        if (place.kind != Kind::Article)
            continue;
        SCOPED_TRACE(place.name);
        for (const QString &article : {QStringLiteral("oi"), QString()}) {
            tav::ListWindow *w = OpenOn(place);
            messages.Answer(winsys::vbYes);
            Edit(w, place, article);
            ASSERT_EQ(messages.Messages().size(), 1);
            EXPECT_TRUE(messages.Messages()[0].style & winsys::vbDefaultButton2) << "No is the default";
            EXPECT_TRUE(messages.Messages()[0].prompt.contains(QStringLiteral("no gender")));
            EXPECT_EQ(Stored(place), article);
            EXPECT_EQ(Value(QStringLiteral("SELECT Genus FROM Main WHERE ID = %1").arg(kWord)).toInt(), 99);
            w->CloseWindow();
        }
    }
}

TEST_F(ListCellChecks, AWriteThatFailsLeavesTheStoredTextInTheCellAndTheTypedTextInTheEditor)
{
    for (const Place &place : kPlaces) {
        SCOPED_TRACE(place.name);
        tav::ListWindow *w = OpenOn(place);
        // The disk is full: no journal can be written, so no write goes in.
        tavtest::FullDisk full({QStringLiteral("-journal")});
        tav::WordDb = db.Open();
        const QString before = Stored(place);
        const QString typed = place.kind == Kind::Article ? QStringLiteral("o")
                              : place.kind == Kind::Headword ? QStringLiteral("agelavdeV")
                                                             : QStringLiteral("heifer");
        Edit(w, place, typed);
        EXPECT_EQ(Stored(place), before);
        EXPECT_EQ(Cell(w, place), before) << "the cell shows what is stored";
        EXPECT_FALSE(messages.Messages().isEmpty());
        EXPECT_TRUE(tavtest::ListProbe(w).tbN->isVisibleTo(w));
        EXPECT_EQ(tavtest::ListProbe(w).tbN->text(), typed) << "the typed text is not lost";
        EXPECT_GT(full.Refused(), 0);
        w->KeyDownEdits(winsys::vbKeyEscape);
        w->CloseWindow();
        tav::WordDb = db.Open();
    }
}

} // namespace

// A new spelling of a word with inflected forms reaches both kinds of list
// with the reminder that the forms keep the old spelling, once.
TEST_F(ListCellChecks, ANewSpellingOfANounRemindsOfItsDeclensionInBothLists)
{
    for (const Place &place : kPlaces) {
        if (place.kind != Kind::Headword)
            continue;
        SCOPED_TRACE(place.name);
        tav::ListWindow *w = OpenOn(place);
        Edit(w, place, QStringLiteral("agelavdes"));
        EXPECT_EQ(Stored(place), QStringLiteral("agelavdes"));
        ASSERT_EQ(messages.Messages().size(), 1) << messages.Prompts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(messages.Messages()[0].prompt.startsWith(
            QStringLiteral("You changed the spelling of a noun or an adjective.")));
        EXPECT_EQ(messages.Messages()[0].style, winsys::vbCritical);
    }
}
