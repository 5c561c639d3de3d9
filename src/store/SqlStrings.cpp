#include "store/SqlStrings.h"

#include "platform/dao/Dao.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"
#include "store/ThirdLanguages.h"

#include <QStringList>

namespace tav {

ThirdLanguageSql MakeThirdLanguageSql(const QString &L)
{
    ThirdLanguageSql s;
    s.Lang3Table = LanguageWordTable(L);
    s.Lang3Lat = s.Lang3Table + QStringLiteral(".Lat");
    s.Lang3ID = s.Lang3Table + QStringLiteral(".ID");
    s.Lang3Means = s.Lang3Table + QStringLiteral(".Means");
    s.Lang3Short = L.left(3).toUpper();
    s.Lang3AllTable = LanguageIndexTable(L);

    auto allQuery = [](const QString &T) {
        return QStringLiteral("SELECT ") + T + QStringLiteral(".Sal,") + T + QStringLiteral(".ID,") + T +
               QStringLiteral(".Lat,") + T + QStringLiteral(".Art,") + T + QStringLiteral(".Greek FROM ") + T;
    };
    s.SqlAllLang3 = allQuery(s.Lang3AllTable);
    s.SqlAllEnglish = allQuery(QStringLiteral("AllEnglishGreek"));

    const QString join =
        QStringLiteral(" FROM Main INNER JOIN ") + s.Lang3Table + QStringLiteral(" ON Main.ID = ") + s.Lang3ID;
    s.SqlLang3 = QStringLiteral("SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,") + QStringLiteral("Main.English,") +
                 s.Lang3Lat + QStringLiteral(" AS ") + L + join;
    s.SqlLang3Genus = QStringLiteral("SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,") +
                      QStringLiteral("Main.English,") + s.Lang3Lat + QStringLiteral(" AS ") + L + join;
    return s;
}

void CheckThirdLanguageSql(const ThirdLanguageSql &s)
{
    // Each text once, reading no row: a missing table or column fails here.
    const QStringList probes = {
        s.SqlLang3 + QStringLiteral(" WHERE Main.ID = -1"),
        s.SqlLang3Genus + QStringLiteral(" WHERE Main.ID = -1"),
        s.SqlAllLang3 + QStringLiteral(" WHERE ID = -1"),
        QStringLiteral("SELECT ID, Lat, Means, Greek, Remarks FROM ") + s.Lang3Table + QStringLiteral(" WHERE ID = -1"),
    };
    for (const QString &sql : probes) {
        dao::RecordsetPtr rs = WordDb->OpenRecordset(sql, dao::RecordsetType::Snapshot);
        rs->Close();
    }
}

void BuildSqlStrings()
{
    const QString L = Opt3rdLang;
    const ThirdLanguageSql s = MakeThirdLanguageSql(L);

    Lang3Table = s.Lang3Table;
    Lang3Lat = s.Lang3Lat;
    Lang3ID = s.Lang3ID;
    Lang3Means = s.Lang3Means;
    Lang3Short = s.Lang3Short;
    Lang3AllTable = s.Lang3AllTable;
    SqlAllLang3 = s.SqlAllLang3;
    SqlAllEnglish = s.SqlAllEnglish;
    SqlLang3 = s.SqlLang3;
    SqlLang3Genus = s.SqlLang3Genus;

    SqlMain = QStringLiteral("SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,") +
              QStringLiteral("Main.English FROM Main ");
    SqlMainGenus = QStringLiteral("SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,") +
                   QStringLiteral("Main.English FROM Main ");
    SqlMain2 = SqlMain;

    // Only meanings of words that are still in Main count towards a complete
    // third language: a row left behind by a deleted word must not make up for
    // a word that has no meaning.
    Lang3Count = CountDistinctMainIDs(Lang3AllTable);
    MainCount = CountMainWords();
    Lang3Complete = Lang3Count >= MainCount;

    if (!StartingUp)
        Link().JulGran();
}

QString ListQueryNow(const QString &sql)
{
    if (OptBoHide3)
        return sql;
    const QString query = sql.trimmed();
    if (query == SqlMain.trimmed() || query == SqlMain2.trimmed())
        return SqlLang3;
    if (query == SqlMainGenus.trimmed())
        return SqlLang3Genus;
    return sql;
}

void BuildLookupPrefixes()
{
    const QString where = QStringLiteral(" FROM Klino WHERE ID ") + QStringLiteral(" = ");
    SqlKlinoM = QStringLiteral("SELECT Klino.sMNom,Klino.sMAck,Klino.sMGen,") +
                QStringLiteral("Klino.pMNom,Klino.pMAck,Klino.pMGen ") + where;
    SqlKlinoF = QStringLiteral("SELECT Klino.sFNom,Klino.sFAck,Klino.sFGen,") +
                QStringLiteral("Klino.pFNom,Klino.pFAck,Klino.pFGen ") + where;
    SqlKlinoN = QStringLiteral("SELECT Klino.sNNom,Klino.sNAck,Klino.sNGen,") +
                QStringLiteral(" Klino.pNNom,Klino.pNAck,Klino.pNGen ") + where;

    const QString whereMenos = QStringLiteral(" FROM KlinoMenos WHERE ID ") + QStringLiteral(" = ");
    SqlMenosM = QStringLiteral("SELECT KlinoMenos.sMNom,KlinoMenos.sMAck,KlinoMenos.sMGen,") +
                QStringLiteral("KlinoMenos.pMNom,KlinoMenos.pMAck,KlinoMenos.pMGen ") + whereMenos;
    SqlMenosF = QStringLiteral("SELECT KlinoMenos.sFNom,KlinoMenos.sFAck,KlinoMenos.sFGen,") +
                QStringLiteral("KlinoMenos.pFNom,KlinoMenos.pFAck,KlinoMenos.pFGen ") + whereMenos;
    SqlMenosN = QStringLiteral("SELECT KlinoMenos.sNNom,KlinoMenos.sNAck,KlinoMenos.sNGen,") +
                QStringLiteral(" KlinoMenos.pNNom,KlinoMenos.pNAck,KlinoMenos.pNGen ") + whereMenos;

    const QString whereImper = QStringLiteral(" FROM IMPER WHERE ID ") + QStringLiteral(" = ");
    SqlImperSi = QStringLiteral("SELECT IMPER.SiSimpAct,IMPER.SiSimpPas,IMPER.SiContAct,IMPER.SiContPas ") + whereImper;
    SqlImperPl = QStringLiteral("SELECT IMPER.PlSimpAct,IMPER.PlSimpPas,IMPER.PlContAct,IMPER.PlContPas ") + whereImper;

    const QString whereKonT4 = QStringLiteral(" FROM KonT4 WHERE ID ") + QStringLiteral(" = ");
    SqlKonT4S2 = QStringLiteral("SELECT KonT4.S2a,KonT4.S2p,KonT4.S2a,KonT4.S2p ") + whereKonT4;
    SqlKonT4P2 = QStringLiteral("SELECT KonT4.P2a,KonT4.P2p,KonT4.P2a,KonT4.P2p ") + whereKonT4;

    SqlHaveKonT1 = QStringLiteral("SELECT KonT1.S1a,KonT1.S2a,KonT1.S3a,") +
                   QStringLiteral("KonT1.P1a,KonT1.P2a,KonT1.P3a ") + QStringLiteral("FROM KonT1 WHERE ID ") +
                   QStringLiteral(" = ") + QString::number(HaveID);
    SqlHaveKonT3 = QStringLiteral("SELECT KonT3.S1a,KonT3.S2a,KonT3.S3a,") +
                   QStringLiteral("KonT3.P1a,KonT3.P2a,KonT3.P3a ") + QStringLiteral("FROM KonT3 WHERE ID ") +
                   QStringLiteral(" = ") + QString::number(HaveID);
}

} // namespace tav
