#include "store/ThirdLanguages.h"

#include "platform/dao/Dao.h"
#include "store/DbTransaction.h"
#include "store/SortsAndArrays.h"

namespace tav {

namespace {

// A refusal raised as an error of the store, for callers that did not ask
// first.
constexpr int RefusedNumber = 3219; // "Invalid operation"

// Adds a row of the new meaning index for the first word of Main spelled
// Phrase (compared as the engine compares text).
void AddWelcomeRow(dao::Database &db, const QString &L, const QString &Phrase, const QString &Welcome)
{
    dao::RecordsetPtr main = db.OpenRecordset(
        QStringLiteral("SELECT Sal, ID, Greek FROM Main WHERE Greek = ") + dao::SqlText(Phrase) +
            QStringLiteral(" ORDER BY ID"),
        dao::RecordsetType::Snapshot);
    if (main->RecordCount() == 0) {
        main->Close();
        return;
    }
    main->MoveFirst();
    dao::RecordsetPtr index = db.OpenRecordset(LanguageIndexTable(L), dao::RecordsetType::Table);
    index->AddNew();
    index->SetField(QStringLiteral("Sal"), main->Field(QStringLiteral("Sal")));
    index->SetField(QStringLiteral("ID"), main->Field(QStringLiteral("ID")));
    index->SetField(QStringLiteral("Lat"), Welcome);
    index->SetField(QStringLiteral("Greek"), main->Field(QStringLiteral("Greek")));
    index->Update();
    index->Close();
    main->Close();
}

} // namespace

QStringList LanguageNames()
{
    dao::RecordsetPtr rs =
        OpenWordDb().OpenRecordset(QStringLiteral("SELECT Name FROM Languages"), dao::RecordsetType::Snapshot);
    QStringList names;
    if (rs->RecordCount() > 0) {
        rs->MoveFirst();
        while (!rs->Eof()) {
            const QString name = rs->Text(0).trimmed();
            if (!name.isEmpty())
                names << name;
            rs->MoveNext();
        }
    }
    rs->Close();
    SortsObj.ArrayShellSortString(names);
    return names;
}

bool LanguageExists(const QString &L)
{
    for (const QString &name : LanguageNames())
        if (name.compare(L, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString NewLanguageRefusal(const QString &L)
{
    const QString refusal = LanguageNameRefusal(L);
    if (!refusal.isEmpty())
        return refusal;
    if (LanguageExists(L))
        return ExistingLanguageMessage(L);
    return QString();
}

void AddThirdLanguage(const QString &L, const QString &Welcome)
{
    const QString refusal = NewLanguageRefusal(L);
    if (!refusal.isEmpty())
        throw dao::DaoError(RefusedNumber, refusal);
    dao::Database &db = OpenWordDb();
    // A table left by an earlier failure outside this program would be
    // taken over with its rows: refuse instead.
    for (const QString &table : {LanguageIndexTable(L), LanguageWordTable(L)})
        if (db.TableExists(table))
            throw dao::DaoError(dao::DaoError::TableExists,
                                QStringLiteral("The table ") + table + QStringLiteral(" is already in the database."));

    DbTransaction transaction(db);
    using dao::FieldType;
    db.CreateTable(LanguageIndexTable(L), {{QStringLiteral("Sal"), FieldType::Text},
                                           {QStringLiteral("ID"), FieldType::Long},
                                           {QStringLiteral("Lat"), FieldType::Text, 0, true},
                                           {QStringLiteral("Art"), FieldType::Text, 0, true},
                                           {QStringLiteral("Greek"), FieldType::Text}});
    db.CreateTable(LanguageWordTable(L), {{QStringLiteral("ID"), FieldType::Long},
                                          {QStringLiteral("Lat"), FieldType::Text, 0, true},
                                          {QStringLiteral("Means"), FieldType::Text, 0, true},
                                          {QStringLiteral("Greek"), FieldType::Text},
                                          {QStringLiteral("Remarks"), FieldType::Memo, 0, true}});

    dao::RecordsetPtr languages = db.OpenRecordset(QStringLiteral("Languages"), dao::RecordsetType::Table);
    languages->AddNew();
    languages->SetField(QStringLiteral("Name"), L);
    languages->Update();
    languages->Close();

    // One row per word; the meanings, their count and the remark stay Null
    // until they are edited.
    db.Execute(QStringLiteral("INSERT INTO [") + LanguageWordTable(L) +
               QStringLiteral("] (ID, Greek) SELECT ID, Greek FROM Main ORDER BY ID"));

    // An empty welcome word would be an empty meaning in the index.
    if (!Welcome.trimmed().isEmpty()) {
        AddWelcomeRow(db, L, WelcomePhrase1, Welcome.trimmed());
        AddWelcomeRow(db, L, WelcomePhrase2, Welcome.trimmed());
    }
    transaction.Commit();
}

void DeleteThirdLanguage(const QString &L)
{
    const QString refusal = DeleteLanguageRefusal(L);
    if (!refusal.isEmpty())
        throw dao::DaoError(RefusedNumber, refusal);
    dao::Database &db = OpenWordDb();
    DbTransaction transaction(db);

    // The first row of exactly that name.
    dao::RecordsetPtr languages = db.OpenRecordset(QStringLiteral("Languages"), dao::RecordsetType::Table);
    bool deleted = false;
    if (languages->RecordCount() > 0) {
        languages->MoveFirst();
        while (!languages->Eof()) {
            if (languages->Text(QStringLiteral("Name")) == L) {
                languages->Delete();
                deleted = true;
                break;
            }
            languages->MoveNext();
        }
    }
    languages->Close();
    if (!deleted)
        throw dao::DaoError(dao::DaoError::ItemNotFound,
                            QStringLiteral("The ") + L + QStringLiteral(" language is not in the database."));

    // The tables of exactly these names, whatever else is there.
    const QStringList tables = db.TableNames();
    for (const QString &name : {LanguageIndexTable(L), LanguageWordTable(L)})
        if (tables.contains(name, Qt::CaseSensitive))
            db.DeleteTable(name);
    transaction.Commit();
}

long long LanguageIndexRows(const QString &L)
{
    dao::Database &db = OpenWordDb();
    const QString table = LanguageIndexTable(L);
    if (!db.TableNames().contains(table, Qt::CaseSensitive))
        return 0;
    dao::RecordsetPtr rs =
        db.OpenRecordset(QStringLiteral("SELECT Count(*) FROM [") + table + QLatin1Char(']'), dao::RecordsetType::Snapshot);
    const long long n = rs->Long(0);
    rs->Close();
    return n;
}

} // namespace tav
