#include "store/ListRequests.h"

#include "platform/dao/Dao.h"
#include "store/CategoryTree.h"
#include "store/GreekLetters.h"
#include "store/InstalledLink.h"
#include "store/SharedState.h"

namespace tav {

namespace {

// Opens nothing: a release build without list windows goes on without them.
class NoListWindows : public ListRequests {
public:
    void DoStdGrid(const QString &, bool, int, const QString &, int, const QString &) override {}
    void DoSimpleGrid(const QString &, int, const QString &, int) override {}
};

ListRequests *installed = nullptr;

ListRequest StdGrid(const QString &Sql, const QString &Caption, int ViewTag, const QString &Filter)
{
    ListRequest r;
    r.route = ListRequest::Route::StdGrid;
    r.Sql = Sql;
    r.IsGreek = true;
    r.SortValue = 0;
    r.Caption = Caption;
    r.ViewTag = ViewTag;
    r.Filter = Filter;
    return r;
}

ListRequest SimpleGrid(const QString &Sql, int Lang, const QString &Word)
{
    ListRequest r;
    r.route = ListRequest::Route::SimpleGrid;
    r.Sql = Sql;
    r.Lang = Lang;
    r.Word = Word;
    r.Mode = 2;
    return r;
}

} // namespace

ListRequests &ListWindowRequests()
{
    static NoListWindows none;
    return InstalledOr<ListRequests>(installed, none,
                                     "ListWindowRequests(): no list requests were installed (SetListWindowRequests)");
}

void SetListWindowRequests(ListRequests *requests) { installed = requests; }

bool ListWindowRequestsInstalled() { return installed != nullptr; }

void SendListRequest(const ListRequest &r, ListRequests &lists)
{
    switch (r.route) {
    case ListRequest::Route::StdGrid:
        lists.DoStdGrid(r.Sql, r.IsGreek, r.SortValue, r.Caption, r.ViewTag, r.Filter);
        break;
    case ListRequest::Route::SimpleGrid:
        lists.DoSimpleGrid(r.Sql, r.Lang, r.Word, r.Mode);
        break;
    case ListRequest::Route::None:
        break;
    }
}

QString ShowFilter(const QString &Key, const QString &Letter)
{
    const bool letter = !Letter.isEmpty();
    const QString x = letter ? GreekLike(Letter) : QString();
    if (Key == QLatin1String("All Greek"))
        return letter ? QStringLiteral("Greek Like") + dao::SqlText(Letter + QLatin1Char('*')) : QString();
    if (Key == QLatin1String("Verbs"))
        return letter ? x + QStringLiteral(" AND WT  Like'c#' OR") + x + QStringLiteral(" AND WT  Like'cp#' OR") + x +
                            QStringLiteral(" AND WT  Like'cv' OR") + x + QStringLiteral(" AND WT  Like'cA'")
                      : QStringLiteral(" WT Like'c#' OR WT  Like'cp#' OR WT  Like'cv' OR WT  Like'cA'");
    if (Key == QLatin1String("HTyp1"))
        return letter ? x + QStringLiteral(" AND WT  Like'c#' OR") + x + QStringLiteral(" AND WT  Like'cv' OR") + x +
                            QStringLiteral(" AND WT  Like'cA'")
                      : QStringLiteral("WT Like'c#' OR WT  Like'cv' OR WT  Like'cA'");
    if (Key == QLatin1String("Adjectives"))
        return letter ? x + QStringLiteral(" AND WT  Like'b*'") : QStringLiteral(" WT  Like'b*'");
    if (Key == QLatin1String("Nouns"))
        return letter ? x + QStringLiteral(" AND genus =0  OR") + x + QStringLiteral(" AND genus = 1  OR") + x +
                            QStringLiteral(" AND genus = 2")
                      : QStringLiteral(" genus= 0 OR genus=1 OR genus=2");
    if (Key.startsWith(QLatin1String("NTyp")) && Key.size() == 5)
        return (letter ? x + QStringLiteral(" AND genus  = ") : QStringLiteral(" genus  = ")) + Key.mid(4, 1);
    const QString code = NodeWordTypeCode(Key);
    if (!code.isEmpty())
        return (letter ? x + QStringLiteral(" AND WT Like'") : QStringLiteral("WT Like'")) + code + QLatin1Char('\'');
    return QString();
}

ListRequest ShowRequest(const QString &Key, const QString &Caption, bool LetterPicked, const QString &Letter)
{
    const QString letter = LetterPicked ? Letter : QString();
    if (Key == QLatin1String("All Greek"))
        return StdGrid(OptBoHide3 ? SqlMain : SqlLang3, Caption, 2, ShowFilter(Key, letter));

    const bool english = Key == QLatin1String("English");
    const bool third = !english && !OptBoHide3 && !Opt3rdLang.isEmpty() && Key == Opt3rdLang;
    if (english || third) {
        QString sql = english ? SqlAllEnglish : SqlAllLang3;
        if (LetterPicked)
            sql += QStringLiteral(" WHERE Lat Like") + dao::SqlText(Letter + QLatin1Char('*'));
        return SimpleGrid(sql, english ? 1 : 2, LetterPicked ? Letter : Caption);
    }

    if (!IsGreekNodeKey(Key))
        return {}; // "Root", "Info": no list of their own
    if (IsNounKey(Key))
        return StdGrid(OptBoHide3 ? SqlMainGenus : SqlLang3Genus, Caption, 2, ShowFilter(Key, letter));
    return StdGrid(OptBoHide3 ? SqlMain2 : SqlLang3, Caption, 5, ShowFilter(Key, letter));
}

QString LiteralBrackets(const QString &t)
{
    QString out;
    out.reserve(t.size() + 4);
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('[')) {
            const int close = t.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out += QStringLiteral("[[]");
                continue;
            }
            // A character class: copied whole, so a "[" inside it stays a member.
            out += t.mid(i, close - i + 1);
            i = close;
            continue;
        }
        out += c;
    }
    return out;
}

ListRequest SearchRequest(const QString &t, bool InflectedForms, int SearchLang)
{
    if (t.isEmpty())
        return {};
    // Greek is searched as it is stored: a mark typed before a capital
    // stands after it there.
    const bool greek = InflectedForms || SearchLang == 4;
    const QString pattern = dao::SqlText(LiteralBrackets(greek ? TidyGreekText(t) : t));
    if (InflectedForms) {
        ListRequest r = StdGrid(QStringLiteral(" SELECT FormsAll.GenTem,FormsAll.ID,FormsAll.KasPer,FormsAll.FormGreek "
                                               " FROM FormsAll WHERE FormGreek  Like") +
                                    pattern,
                                t, 33, QString());
        r.IsGreek = false;
        r.SortValue = 33;
        return r;
    }
    switch (SearchLang) {
    case 4: {
        ListRequest r = StdGrid(OptBoHide3 ? SqlMain : SqlLang3, t, 2, QStringLiteral("Greek  Like") + pattern);
        r.IsGreek = false;
        return r;
    }
    case 5:
        return SimpleGrid(SqlAllEnglish + QStringLiteral(" WHERE Lat Like") + pattern, 1, t);
    case 6:
        return SimpleGrid(SqlAllLang3 + QStringLiteral(" WHERE Lat Like") + pattern, 2, t);
    default:
        return {};
    }
}

} // namespace tav
