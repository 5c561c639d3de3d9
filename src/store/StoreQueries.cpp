#include "store/StoreQueries.h"

#include "platform/dao/Dao.h"
#include "store/CaptionArrays.h"
#include "store/DbTransaction.h"
#include "store/MainWindowLink.h"
#include "store/Settings.h"
#include "store/SharedState.h"

#include <QHash>

namespace tav {

namespace {

QString Num(long long n) { return QString::number(n); }

// Declared column types of a table, by lower-case name.
QHash<QString, QString> DeclaredTypes(const QString &TableName)
{
    QHash<QString, QString> types;
    const auto rows = WordDb->QueryNative(QStringLiteral("PRAGMA table_info(%1)").arg(dao::SqlText(TableName)));
    for (const auto &row : rows)
        if (row.size() > 2)
            types.insert(row.at(1).toString().toLower(), row.at(2).toString().toUpper());
    return types;
}

// A plain text column: not a number, date, yes/no or memo column.
bool IsTextType(const QString &declared)
{
    static const char *const other[] = {"INT", "BOOL", "BIT", "YESNO", "DATE", "TIME", "REAL", "FLOA",
                                        "DOUB", "NUM", "DEC", "CURRENCY", "MEMO", "LONGTEXT", "BLOB"};
    for (const char *word : other)
        if (declared.contains(QLatin1String(word)))
            return false;
    return true;
}

} // namespace

long long CountDistinctLat(const QString &Sql)
{
    // The meanings are read in order (from the index on Lat) and each is
    // compared with the one before.
    return OpenWordDb().CountTextRuns(Sql, "Lat");
}

long long CountDistinctIDs(const QString &TableName)
{
    const QString sql = QStringLiteral("SELECT ID FROM ") + TableName + QStringLiteral(" ORDER BY ID");
    return WordDb->OpenRecordset(sql)->CountRuns(QStringLiteral("CAST(ifnull(ID, 0) AS INTEGER)"));
}

long long CountDistinctMainIDs(const QString &TableName)
{
    return CountRecords(QStringLiteral("SELECT DISTINCT ") + TableName + QStringLiteral(".ID FROM ") + TableName +
                        QStringLiteral(" INNER JOIN Main ON ") + TableName + QStringLiteral(".ID = Main.ID"));
}

long long CountQueryRecords(const QString &Sql, const QString &Filter)
{
    dao::RecordsetPtr rs = WordDb->OpenRecordset(Sql);
    if (Filter.isEmpty())
        return rs->CountRows();
    rs->Filter = Filter;
    return rs->OpenRecordset()->CountRows();
}

QVector<long long> CountQueryRecordsEach(const QString &Sql, const QStringList &Filters, const QString &Within,
                                         const QStringList &Columns)
{
    dao::RecordsetPtr rs = WordDb->OpenRecordset(Sql);
    if (!Within.trimmed().isEmpty()) {
        rs->Filter = Within;
        rs = rs->OpenRecordset();
    }
    return rs->CountMatching(Filters, Columns);
}

long long CountMainWords()
{
    MainRs = WordDb->OpenRecordset(QStringLiteral("SELECT Count(*) FROM Main"), dao::RecordsetType::Snapshot);
    const long long n = MainRs->Long(0);
    MainRs->Close();
    MainRs.reset();
    return n;
}

long long CountRecords(const QString &Sql) { return WordDb->OpenRecordset(Sql)->CountRows(); }

long long CountWrongIDs() { return CountRecords(QStringLiteral("WrongIDs")); }

QString LangCapsText(long long index)
{
    dao::RecordsetPtr rs = WordDb->OpenRecordset(QStringLiteral("SELECT [") + CapsLanguage +
                                                     QStringLiteral("] FROM LangCaps WHERE [Index] = ") + Num(index),
                                                 dao::RecordsetType::Snapshot);
    const QString text = rs->RecordCount() > 0 ? rs->Text(0) : QString();
    rs->Close();
    return text;
}

// The caption from the array the main window's Load filled; read from
// LangCaps while the array is still empty (before that Load).
static QString Caption1185(int n)
{
    const QString text = Caps1185(n);
    return text.isEmpty() ? LangCapsText(n) : text;
}

void ShowWordCount()
{
    const long long n = CountMainWords();
    if (n < 1)
        Link().SetPanelText(2, QStringLiteral("0 ") + Caption1185(1211));
    else
        Link().SetPanelText(2, Num(n) + Caption1185(1212));
}

void ShowWrongAnswersCount()
{
    Link().SetPanelText(5, WrongAnswersPanelText(QString::number(CountWrongIDs())));
}

bool IsInCollection(long long ID) { return RepaIDs.contains(ID); }

int CountGridForms() { return Link().CountGridForms(); }

QString GetMainField(long long ID, const QString &FieldName)
{
    return FindMainField(ID, FieldName).value_or(QString());
}

std::optional<QString> FindMainField(long long ID, const QString &FieldName)
{
    dao::RecordsetPtr rs = WordDb->OpenRecordset(QStringLiteral("SELECT * FROM Main WHERE ID = ") + Num(ID));
    std::optional<QString> value;
    if (rs->RecordCount() > 0) {
        if (rs->FieldIndex(FieldName) < 0)
            throw dao::DaoError(dao::DaoError::ItemNotFound,
                                QStringLiteral("Item not found in this collection: ") + FieldName);
        value = rs->Text(FieldName);
    }
    rs->Close();
    return value;
}

QString GetLangField(long long ID)
{
    dao::RecordsetPtr rs = OpenWordDb().OpenRecordset(QStringLiteral("SELECT ") + Lang3Lat + QStringLiteral(" FROM ") +
                                                          Lang3Table + QStringLiteral(" WHERE ") + Lang3ID +
                                                          QStringLiteral(" = ") + Num(ID),
                                                      dao::RecordsetType::Snapshot);
    return rs->RecordCount() > 0 ? rs->Text(0) : QString();
}

bool MainIDExists(long long ID)
{
    return CountRecords(QStringLiteral("SELECT ID FROM MAIN WHERE ID ") + QStringLiteral(" = ") + Num(ID)) > 0;
}

bool IDExistsIn(const QString &TableName, long long ID)
{
    return CountRecords(QStringLiteral("SELECT ID FROM ") + TableName + QStringLiteral(" WHERE ") +
                        QStringLiteral("ID = ") + Num(ID)) > 0;
}

bool KlinoHasID(long long ID) { return IDExistsIn(QStringLiteral("Klino"), ID); }

bool FormsAllHasKasPer(long long ID, const QString &GenTem, const QString &KasPer)
{
    // The names go in as quoted literals, so no text can break the statement.
    return CountRecords(QStringLiteral("SELECT KasPer FROM ") + QStringLiteral("FormsAll") + QStringLiteral(" WHERE ") +
                        QStringLiteral("ID = ") + Num(ID) + QStringLiteral(" AND GenTem = ") + dao::SqlText(GenTem) +
                        QStringLiteral(" AND KasPer ") + QStringLiteral(" = ") + dao::SqlText(KasPer)) > 0;
}

bool HasCompleteConjugation(const QString &TableName, long long ID)
{
    if (!IDExistsIn(TableName, ID))
        return false;
    dao::RecordsetPtr rs = WordDb->OpenRecordset(QStringLiteral("SELECT * FROM ") + TableName +
                                                 QStringLiteral(" WHERE ID ") + QStringLiteral(" = ") + Num(ID));
    if (rs->RecordCount() == 0)
        return false;
    static const char *const voices[2][6] = {{"S1a", "S2a", "S3a", "P1a", "P2a", "P3a"},
                                             {"S1p", "S2p", "S3p", "P1p", "P2p", "P3p"}};
    for (const auto &voice : voices) {
        int filled = 0;
        for (const char *name : voice)
            if (!rs->Text(QLatin1String(name)).isEmpty())
                ++filled;
        if (filled == 6) {
            rs->Close();
            return true;
        }
    }
    rs->Close();
    return false;
}

void AddRecordFromArray(const QString &TableName, long long ID, QStringList &Items)
{
    for (QString &item : Items)
        item = GetMainField(ID, item);

    const QHash<QString, QString> types = DeclaredTypes(TableName);
    dao::RecordsetPtr rs = WordDb->OpenRecordset(TableName);
    rs->AddNew();
    rs->SetField(0, ID);
    for (int i = 1; i < rs->FieldCount(); ++i) {
        if (!rs->Field(i).isNull())
            continue;
        if (IsTextType(types.value(rs->FieldName(i).toLower())))
            rs->SetField(i, QStringLiteral(""));
    }
    static const char *const copied[] = {"Greek", "WT", "Sal"};
    if (Items.size() <= 3)
        for (int i = 0; i < Items.size(); ++i)
            rs->SetField(QLatin1String(copied[i]), Items.at(i));
    rs->Update();
    rs->Close();
}

} // namespace tav
