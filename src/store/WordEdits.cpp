#include "store/WordEdits.h"

#include "platform/dao/Dao.h"
#include "platform/dao/JetSql.h"
#include "platform/winsys/notice/Notice.h"
#include "store/DbTransaction.h"
#include "store/EditRefusal.h"
#include "store/FormQueries.h"
#include "store/GreekLetters.h"
#include "store/ListWindowLink.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/WindowRoutines.h"

namespace tav {

namespace {

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The tables that hold a word's spelling besides Main.
bool HoldsSpelling(const QString &table)
{
    static const QStringList fixed = {QStringLiteral("Klino"), QStringLiteral("KlinoMenos"),
                                      QStringLiteral("IMPER"), QStringLiteral("FormsAll")};
    return fixed.contains(table, Qt::CaseInsensitive) || dao::JetLike(table, QStringLiteral("All*")) || dao::JetLike(table, QStringLiteral("KonT#")) ||
           dao::JetLike(table, QStringLiteral("Greek*"));
}

const QString kVerbMessage = QStringLiteral("You changed the spelling of a verb\r\n Check if you need to manually "
                                            "edit the yellow\r\n grid at the bottom");
const QString kNounMessage = QStringLiteral("You changed the spelling of a noun or an adjective.\r\nCheck if you "
                                            "need to edit the green\r\ngrid at the bottom.");

// Gives the grid back its cell and the focus after a remark was stored. The
// view stays where it was unless the cell has left it.
void RestoreGridCell(GridLink &grid, int row, int col)
{
    grid.SetRow(row);
    grid.SetCol(col);
    grid.EnsureVisible(row, col);
    grid.SetFocus();
}

Notice WordIsGoneNotice(long long id)
{
    return {QStringLiteral("The remark was not stored: the word with ID ") + QString::number(id) +
                QStringLiteral(" is no longer in the word list."),
            winsys::vbExclamation, winsys::AppTitle};
}

// Stores text in table.field of the word's row when it differs. Returns false
// when the word has no row in table.
bool StoreRemark(dao::Database &db, const QString &table, const QString &field, const QString &id,
                 const QString &text)
{
    dao::RecordsetPtr row = db.OpenRecordset(QStringLiteral("SELECT ") + table + QLatin1Char('.') + field +
                                                 QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ID ") +
                                                 QStringLiteral(" = ") + id,
                                             dao::RecordsetType::Snapshot);
    if (row->RecordCount() == 0)
        return false;
    row->MoveLast();
    const QVariant stored = row->Field(0);
    if (stored.isNull() || stored.toString() != text) {
        db.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + table + QLatin1Char('.') + field +
                   QStringLiteral(" = ") + dao::SqlText(text) + QStringLiteral(" WHERE ") + table +
                   QStringLiteral(".ID = ") + id);
    }
    return true;
}

// An update of a word's row that changed no row stored nothing: the word
// left the table meanwhile.
void RequireChangedRow(dao::Database &db, long long id)
{
    if (db.RecordsAffected() < 1)
        ThrowWordGone(id);
}

Outcome SaveRemarkTo(GridLink &grid, long long ID, const QString &text, bool thirdLanguage,
                     const QString &mainField = QStringLiteral("Remarks2"))
{
    const int row = grid.Row();
    const int col = grid.Col();
    try {
        dao::Database &db = OpenWordDb();
        const QString id = QString::number(ID);
        const QString table = thirdLanguage ? Lang3Table : QStringLiteral("Main");
        const QString field = thirdLanguage ? QStringLiteral("Remarks") : mainField;
        if (!StoreRemark(db, table, field, id, text) && !text.isEmpty()) {
            // No row to hold the remark: a word of Main gets its row in the
            // third-language table; a word that has left Main cannot keep one.
            const bool inMain = thirdLanguage && MainIDExists(ID);
            if (!inMain) {
                SaveBusy = false;
                RestoreGridCell(grid, row, col);
                return {WordIsGoneNotice(ID)};
            }
            db.Execute(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (ID, Greek, Remarks) SELECT Main.ID, "
                                                                              "Main.Greek, ") +
                       dao::SqlText(text) + QStringLiteral(" FROM Main WHERE Main.ID = ") + id);
        }
    } catch (const std::exception &error) {
        SaveBusy = false;
        return {ErrorNotice(error)};
    }
    SaveBusy = false;
    RestoreGridCell(grid, row, col);
    return {};
}


} // namespace

void ThrowWordGone(long long ID)
{
    throw dao::DaoError(dao::DaoError::NoCurrentRecord,
                        QStringLiteral("Nothing was stored: the word with ID ") + QString::number(ID) +
                            QStringLiteral(" is no longer in the word list."));
}

int ArticleGenus(const QString &Article)
{
    if (Article == QLatin1String("o"))
        return 0;
    if (Article == QLatin1String("h") || Article == QLatin1String("tis") || Article.startsWith(QLatin1String("th")))
        return 1;
    if (Article == QLatin1String("ta") || Article == QLatin1String("to"))
        return 2;
    return 99;
}

int ArticleGenusFor(const QString &Article, const QString &StoredArticle, int StoredGenus)
{
    const auto plural = [](const QString &a) { return a == QLatin1String("oi") || a == QLatin1String("ta"); };
    if (plural(Article) && plural(StoredArticle.trimmed().toLower()) && StoredGenus >= 0 && StoredGenus <= 2)
        return StoredGenus;
    return ArticleGenus(Article);
}

int StoredArticleGenusFor(const QString &Article, long long ID)
{
    bool numeric = false;
    const int genus = GetMainField(ID, QStringLiteral("Genus")).trimmed().toInt(&numeric);
    return ArticleGenusFor(Article, GetMainField(ID, QStringLiteral("Art")), numeric ? genus : 99);
}

void ChangeArticle(const QString &Article, long long ID)
{
    dao::Database &db = OpenWordDb();
    const QString id = QString::number(ID);
    const QString article = dao::SqlText(Article);
    const int genus = StoredArticleGenusFor(Article, ID);
    DbTransaction transaction(db);
    db.Execute(QStringLiteral("UPDATE Main SET Main.Art  = ") + article + QStringLiteral(" WHERE Main.ID  = ") + id);
    RequireChangedRow(db, ID);
    db.Execute(QStringLiteral("UPDATE Main SET Main.Genus  = ") + QString::number(genus) +
               QStringLiteral(" WHERE Main.ID  = ") + id);
    for (const QString &table : db.TableNames()) {
        if (dao::JetLike(table, QStringLiteral("All*"))) {
            db.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + table +
                       QStringLiteral(".Art  = ") + article + QStringLiteral(" WHERE ") + table +
                       QStringLiteral(".ID  = ") + id);
        }
    }
    transaction.Commit();
}

std::optional<Notice> ChangeGreekSpelling(const QString &Greek, long long ID)
{
    dao::Database &db = OpenWordDb();
    const QString id = QString::number(ID);
    const QString greek = dao::SqlText(Greek);
    const QString sal = dao::SqlText(TavGreSort(Greek));
    const QStringList tables = db.TableNames();
    {
        DbTransaction transaction(db);
        db.Execute(QStringLiteral("UPDATE Main SET Main.Greek  = ") + greek + QStringLiteral(" WHERE Main.ID  = ") +
                   id);
        RequireChangedRow(db, ID);
        db.Execute(QStringLiteral("UPDATE Main SET Main.Sal  = ") + sal + QStringLiteral(" WHERE Main.ID  = ") + id);
        for (const QString &table : tables) {
            if (!HoldsSpelling(table))
                continue;
            const QStringList fields = db.FieldNames(table);
            const QString where = QStringLiteral(" WHERE ") + table + QStringLiteral(".ID  = ") + id;
            if (fields.contains(QStringLiteral("Greek"), Qt::CaseInsensitive))
                db.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + table +
                           QStringLiteral(".Greek  = ") + greek + where);
            if (fields.contains(QStringLiteral("Sal"), Qt::CaseInsensitive))
                db.Execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + table +
                           QStringLiteral(".Sal  = ") + sal + where);
        }
        transaction.Commit();
    }

    // The inflected forms keep the old spelling: one reminder, for the first
    // inflection table (in table order) that holds the word.
    for (const QString &table : tables) {
        if (dao::JetLike(table, QStringLiteral("KonT#")) && IDExistsIn(table, ID)) {
            return Notice{kVerbMessage, winsys::vbCritical | winsys::vbOKOnly, winsys::AppTitle};
        }
        if (SameName(table, QStringLiteral("Klino")) && KlinoHasID(ID)) {
            return Notice{kNounMessage, winsys::vbCritical | winsys::vbOKOnly, winsys::AppTitle};
        }
    }
    return std::nullopt;
}

int CommaListCount(const QString &List)
{
    if (List.trimmed().isEmpty())
        return 0;
    return int(List.count(QLatin1Char(','))) + 1;
}

bool RemovesAuxiliaryMarker(long long ID, const QString &Field, const QString &Value)
{
    if (ID == 0 || ID != HaveID)
        return false;
    // The start-up lookup compares as the columns do: text without case.
    const QString value = Value.trimmed();
    if (SameName(Field, QStringLiteral("English")))
        return !SameName(value, QStringLiteral("have"));
    if (SameName(Field, QStringLiteral("WT")))
        return !SameName(value, QStringLiteral("cA"));
    if (SameName(Field, QStringLiteral("AP")))
        return value != QLatin1String("154");
    return false;
}

QString AuxiliaryMarkerMessage()
{
    return QStringLiteral("This word is the auxiliary \"have\": it carries the compound tenses of every verb.\r\n"
                          "Its meaning \"have\", its word type and its active form stay as they are.");
}

void UpdateVoiceForm(long long ID, const QString &Field, const QString &Text)
{
    const QString text = Text.trimmed();
    if (RemovesAuxiliaryMarker(ID, Field, text))
        throw EditRefusal(AuxiliaryMarkerMessage());
    dao::Database &db = OpenWordDb();
    db.Execute(QStringLiteral("UPDATE Main  SET ") + Field + QStringLiteral("  = ") +
               (text.isEmpty() ? QStringLiteral("NULL") : dao::SqlText(text)) + QStringLiteral(" WHERE Main.ID  = ") +
               QString::number(ID));
    RequireChangedRow(db, ID);
}

bool EmptiesVoice(long long ID, const QString &Field, const QString &Text)
{
    // The auxiliary's marker is refused with its own message, unasked.
    return Text.trimmed().isEmpty() && !RemovesAuxiliaryMarker(ID, Field, QString()) &&
           !GetMainField(ID, Field).trimmed().isEmpty();
}

QString VoiceEmptyQuestion(const QString &Field)
{
    const QString voice = Field == QLatin1String("PP") ? QStringLiteral("passive") : QStringLiteral("active");
    return QStringLiteral("The box of the ") + voice + QStringLiteral(" form is empty: stored so, the verb has no ") +
           voice + QStringLiteral(" voice any more, and its ") + voice +
           QStringLiteral(" conjugation is no longer offered.\nEmpty the ") + voice + QStringLiteral(" form?");
}

void UpdateMainField(const QString &Value, long long ID, const QString &FieldName, const QString &CountField)
{
    if (RemovesAuxiliaryMarker(ID, FieldName, Value))
        throw EditRefusal(AuxiliaryMarkerMessage());
    dao::Database &db = OpenWordDb();
    const QString where = QStringLiteral(" WHERE Main.ID  = ") + QString::number(ID);
    DbTransaction transaction(db);
    db.Execute(QStringLiteral("UPDATE Main SET Main.") + FieldName + QStringLiteral(" = ") + dao::SqlText(Value) +
               where);
    RequireChangedRow(db, ID);
    db.Execute(QStringLiteral("UPDATE Main SET Main.") + CountField + QStringLiteral(" = ") +
               QString::number(CommaListCount(Value)) + where);
    transaction.Commit();
}

void WriteMainFieldAt(long long ID, int FieldIndex, const QString &Text)
{
    dao::RecordsetPtr main = OpenWordDb().OpenRecordset(QStringLiteral("Main"), dao::RecordsetType::Dynaset);
    main->FindLast(QStringLiteral("ID  = ") + QString::number(ID));
    if (main->NoMatch())
        ThrowWordGone(ID);
    if (FieldIndex >= 0 && FieldIndex < main->FieldCount() && main->Text(FieldIndex) != Text) {
        main->Edit();
        main->SetField(FieldIndex, Text);
        main->Update();
    }
    main->Close();
}

void UpdateLangField(const QString &Value, long long ID)
{
    dao::Database &db = OpenWordDb();
    const QString id = QString::number(ID);
    const QString where = QStringLiteral(" WHERE ") + Lang3ID + QStringLiteral(" = ") + id;
    DbTransaction transaction(db);
    if (!IDExistsIn(Lang3Table, ID)) {
        db.Execute(QStringLiteral("INSERT INTO ") + Lang3Table +
                   QStringLiteral(" (ID, Greek) SELECT Main.ID, Main.Greek FROM Main WHERE Main.ID = ") + id);
    }
    db.Execute(QStringLiteral("UPDATE ") + Lang3Table + QStringLiteral(" SET ") + Lang3Lat + QStringLiteral(" = ") +
               dao::SqlText(Value) + where);
    RequireChangedRow(db, ID);
    db.Execute(QStringLiteral("UPDATE ") + Lang3Table + QStringLiteral(" SET ") + Lang3Means + QStringLiteral(" = ") +
               QString::number(CommaListCount(Value)) + where);
    transaction.Commit();
}

Outcome SaveRemarks(GridLink &Grid, long long ID, const QString &Text) { return SaveRemarkTo(Grid, ID, Text, true); }

Outcome SaveRemarks2(GridLink &Grid, long long ID, const QString &Text) { return SaveRemarkTo(Grid, ID, Text, false); }

QString StoredRemark(long long ID, bool Second)
{
    if (!Second)
        return ReadWordRecord(QStringLiteral("Main"), ID).Text(QStringLiteral("Remarks"));
    if (OptBoHide3)
        return ReadWordRecord(QStringLiteral("Main"), ID).Text(QStringLiteral("Remarks2"));
    return ReadWordRecord(Lang3Table, ID).Text(QStringLiteral("Remarks"));
}

Outcome SaveMainRemarks(long long ID, const QString &Text)
{
    NoGridLink noGrid;
    return SaveRemarkTo(noGrid, ID, Text, false, QStringLiteral("Remarks"));
}

} // namespace tav
