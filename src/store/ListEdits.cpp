#include "store/ListEdits.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"
#include "store/GreekLetters.h"
#include "store/MeaningIndex.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WordEdits.h"

#include <algorithm>

namespace tav {

std::optional<QString> StoredCellField(long long ID, CellField Field)
{
    switch (Field) {
    case CellField::Article: return FindMainField(ID, QStringLiteral("Art"));
    case CellField::Greek: return FindMainField(ID, QStringLiteral("Greek"));
    case CellField::English: return FindMainField(ID, QStringLiteral("English"));
    case CellField::Third: break;
    }
    if (!MainIDExists(ID))
        return std::nullopt;
    return GetLangField(ID);
}

QString CellEditText(const QString &Typed)
{
    QString text = Typed;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : text) {
        switch (c.unicode()) {
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case 0x85:   // next line
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
            c = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return text.trimmed();
}

bool HasControlCharacter(const QString &Text)
{
    return std::any_of(Text.cbegin(), Text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool OnlyCommasAndBlanks(const QString &Text)
{
    return Text.contains(QLatin1Char(',')) &&
           std::all_of(Text.cbegin(), Text.cend(), [](QChar c) { return c == QLatin1Char(',') || c.isSpace(); });
}

const QStringList &WordArticles()
{
    static const QStringList articles = {QString(), QStringLiteral("o"), QStringLiteral("h"), QStringLiteral("to"),
                                         QStringLiteral("oi"), QStringLiteral("ta")};
    return articles;
}

QString ArticleRefusal(const QString &Article)
{
    const QString keys = GreekTextRefusal(Article);
    if (!keys.isEmpty())
        return keys;
    if (WordArticles().contains(Article.toLower()))
        return QString();
    return QStringLiteral("Nothing was stored: \"") + Article +
           QStringLiteral("\" is not an article.\nThe article of a word is o, h, to, oi or ta, or nothing.");
}

bool ArticleTakesGenderAway(const QString &Article, long long ID)
{
    if (StoredArticleGenusFor(Article, ID) != 99)
        return false;
    bool numeric = false;
    const int code = GetMainField(ID, QStringLiteral("Genus")).trimmed().toInt(&numeric);
    return numeric && code >= 0 && code <= 2;
}

QString ArticleGenderQuestion(const QString &Article)
{
    return (Article.isEmpty() ? QStringLiteral("Without an article")
                              : QStringLiteral("With the article \"") + Article + QLatin1Char('"')) +
           QStringLiteral(" the word has no gender: its declension leaves the grammar panel and the word leaves its "
                          "gender in the category tree.\nStore the article all the same?");
}

QString HeadwordRefusal(const QString &Greek)
{
    const QString keys = GreekTextRefusal(Greek);
    if (!keys.isEmpty())
        return keys;
    static const QString letters = QStringLiteral("abgdezhqiklmnxoprsVtufcyw");
    if (!std::any_of(Greek.cbegin(), Greek.cend(), [](QChar c) {
            return letters.contains(c) || (c != QLatin1Char('V') && letters.contains(c.toLower()));
        }))
        return QStringLiteral("Nothing was stored: a headword holds at least one Greek letter.");
    if (Greek.size() > MaxHeadwordLength)
        return QStringLiteral("Nothing was stored: a headword holds at most %1 characters, and this one has %2.")
            .arg(MaxHeadwordLength)
            .arg(Greek.size());
    return QString();
}

QStringList MeaningItems(const QString &Typed)
{
    QStringList items;
    for (const QString &piece : Typed.split(QLatin1Char(','))) {
        const QString item = piece.trimmed();
        if (!item.isEmpty() && !items.contains(item))
            items.append(item);
    }
    return items;
}

std::optional<QString> StoreMeaningList(MeaningLanguage Language, long long ID, const QString &OldList,
                                        const QString &NewList)
{
    dao::Database &db = OpenWordDb();
    QString sorted = MeaningItems(NewList).join(QStringLiteral(", "));
    SortCommaList(sorted);
    if (sorted.trimmed().isEmpty())
        sorted.clear();
    const QString indexTable = Language == MeaningLanguage::English ? QStringLiteral("AllEnglishGreek") : Lang3AllTable;

    DbTransaction transaction(db);
    if (!SyncMeaningRows(indexTable, ID, OldList, sorted))
        return std::nullopt;
    if (Language == MeaningLanguage::English)
        UpdateMainField(sorted, ID, QStringLiteral("English"), QStringLiteral("Emeans"));
    else
        UpdateLangField(sorted, ID);
    transaction.Commit();
    return sorted;
}

long long DeleteWord(long long ID)
{
    dao::Database &db = OpenWordDb();
    const QString id = QString::number(ID);
    DbTransaction transaction(db);
    db.Execute(QStringLiteral("DELETE FROM Main WHERE ID  = ") + id);
    const long long removed = db.RecordsAffected();
    for (const QString &table : db.TableNames()) {
        if (table.compare(QLatin1String("Main"), Qt::CaseInsensitive) == 0)
            continue;
        if (db.FieldNames(table).contains(QStringLiteral("ID"), Qt::CaseInsensitive))
            db.Execute(QStringLiteral("DELETE FROM ") + table + QStringLiteral(" WHERE ID  = ") + id);
    }
    transaction.Commit();
    RepaIDs.removeAll(ID);
    return removed;
}

} // namespace tav
