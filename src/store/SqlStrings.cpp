#include "store/SqlStrings.h"

#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/StoreQueries.h"

namespace tav {

void BuildSqlStrings()
{
    const QString L = Opt3rdLang;

    Lang3Table = QStringLiteral("Greek") + L;
    Lang3Lat = Lang3Table + QStringLiteral(".Lat");
    Lang3ID = Lang3Table + QStringLiteral(".ID");
    Lang3Means = Lang3Table + QStringLiteral(".Means");
    Lang3Short = L.left(3).toUpper();
    Lang3AllTable = QStringLiteral("All") + L + QStringLiteral("Greek");

    auto allQuery = [](const QString &T) {
        return QStringLiteral("SELECT ") + T + QStringLiteral(".Sal,") + T + QStringLiteral(".ID,") + T +
               QStringLiteral(".Lat,") + T + QStringLiteral(".Art,") + T + QStringLiteral(".Greek FROM ") + T;
    };
    SqlAllLang3 = allQuery(Lang3AllTable);
    SqlAllEnglish = allQuery(QStringLiteral("AllEnglishGreek"));

    const QString join = QStringLiteral(" FROM Main INNER JOIN ") + Lang3Table + QStringLiteral(" ON Main.ID = ") + Lang3ID;
    SqlLang3 = QStringLiteral("SELECT Main.Sal,Main.ID,Main.WT,Main.Art,Main.Greek,") + QStringLiteral("Main.English,") +
               Lang3Lat + QStringLiteral(" AS ") + L + join;
    SqlLang3Genus = QStringLiteral("SELECT Main.Sal,Main.ID,Main.Genus,Main.Art,Main.Greek,") +
                    QStringLiteral("Main.English,") + Lang3Lat + QStringLiteral(" AS ") + L + join;

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
