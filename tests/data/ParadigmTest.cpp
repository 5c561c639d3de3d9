// Known paradigms in the built TavWrd.twl, one word of every class: each form
// must stand in the cell the grammar panel reads for it. The spelling test
// only knows that a form exists somewhere; these catch a right word in a
// wrong cell (an aorist under the imperative, a masculine article beside a
// feminine noun).

#include "DbQuery.h"
#include "support/TestDb.h"

#include <gtest/gtest.h>

using tavtest::DbQuery;
using tavtest::TestDb;

namespace {

const char *kActive = "S1a,S2a,S3a,P1a,P2a,P3a";
const char *kPassive = "S1p,S2p,S3p,P1p,P2p,P3p";
const char *kImper = "SiSimpAct,SiSimpPas,SiContAct,SiContPas,PlSimpAct,PlSimpPas,PlContAct,PlContPas";
const char *kMasc = "sMNom,sMAck,sMGen,pMNom,pMAck,pMGen";
const char *kFem = "sFNom,sFAck,sFGen,pFNom,pFAck,pFGen";
const char *kNeut = "sNNom,sNAck,sNGen,pNNom,pNAck,pNGen";

class Paradigms : public ::testing::Test {
protected:
    TestDb copy;
    DbQuery db{copy.Path()};

    // The cells of one word's row, blank-separated, "-" for an empty cell.
    std::string Cells(const char *table, const char *greek, const char *columns) const
    {
        const auto rows = db.Rows(QStringLiteral("SELECT %1 FROM %2 WHERE Greek = '%3'")
                                      .arg(QLatin1String(columns), QLatin1String(table), QLatin1String(greek)));
        if (rows.size() != 1)
            return "rows: " + std::to_string(rows.size());
        QStringList cells;
        for (const QVariant &v : rows.front())
            cells << (v.isNull() || v.toString().isEmpty() ? QStringLiteral("-") : v.toString());
        return cells.join(QLatin1Char(' ')).toStdString();
    }
};

} // namespace

TEST_F(Paradigms, ConsonantStemVerbInBothVoices)
{
    // γράφω: present, aorist, imperfect, aorist subjunctive; γράφομαι.
    EXPECT_EQ(Cells("KonT1", "gravfw", kActive), "gravfw gravfeiV gravfei gravfoume gravfete gravfoun");
    EXPECT_EQ(Cells("KonT2", "gravfw", kActive), "evgraya evgrayeV evgraye gravyame gravyate evgrayan");
    EXPECT_EQ(Cells("KonT3", "gravfw", kActive), "evgrafa evgrafeV evgrafe gravfame gravfate evgrafan");
    EXPECT_EQ(Cells("KonT4", "gravfw", kActive), "gravyw gravyeiV gravyei gravyoume gravyete gravyoun");
    EXPECT_EQ(Cells("KonT1", "gravfw", kPassive),
              "gravfomai gravfesai gravfetai grafovmaste gravfeste gravfontai");
    EXPECT_EQ(Cells("KonT2", "gravfw", kPassive),
              "gravfthka gravfthkeV gravfthke grafthvkame grafthvkate gravfthkan");
    EXPECT_EQ(Cells("KonT3", "gravfw", kPassive),
              "grafovmoun grafovsoun grafovtan grafovmastan grafovsastan gravfontan");
    EXPECT_EQ(Cells("KonT4", "gravfw", kPassive), "graftwv grafteivV grafteiv graftouvme grafteivte graftouvn");
    // γράψε, γράφε, γράψτε, γραφτείτε, γράφετε, γράφεστε.
    EXPECT_EQ(Cells("IMPER", "gravfw", kImper), "gravye - gravfe - gravyte grafteivte gravfete gravfeste");
    EXPECT_EQ(Cells("KlinoMenos", "gravfw", kFem), "grammevnh grammevnh grammevnhV grammevneV grammevneV grammevnwn");
}

TEST_F(Paradigms, ContractedVerbsAndTheirPassives)
{
    // αγαπάω / αγαπιέμαι.
    EXPECT_EQ(Cells("KonT1", "agapavw", kActive), "agapavw agapavV agapavei agapavme agapavte agapouvn");
    EXPECT_EQ(Cells("KonT3", "agapavw", kActive),
              "agapouvsa agapouvseV agapouvse agapouvsame agapouvsate agapouvsan");
    EXPECT_EQ(Cells("KonT1", "agapavw", kPassive),
              "agapievmai agapievsai agapievtai agapiovmaste agapievste agapiouvntai");
    EXPECT_EQ(Cells("KonT3", "agapavw", kPassive),
              "agapiovmoun agapiovsoun agapiovtan agapiovmastan agapiovsastan agapiovntan");
    EXPECT_EQ(Cells("IMPER", "agapavw", kImper), "agavphse - agavpa - agaphvste agaphqeivte agapavte agapievste");
    // μπορώ; θεωρώ / θεωρούμαι with the imperfect θεωρούνταν.
    EXPECT_EQ(Cells("KonT1", "mporwv", kActive), "mporwv mporeivV mporeiv mporouvme mporeivte mporouvn");
    EXPECT_EQ(Cells("KonT2", "mporwv", kActive), "mpovresa mpovreseV mpovrese mporevsame mporevsate mpovresan");
    EXPECT_EQ(Cells("KonT1", "qewrwv", kPassive),
              "qewrouvmai qewreivsai qewreivtai qewrouvmaste qewreivste qewrouvntai");
    EXPECT_EQ(Cells("KonT3", "qewrwv", kPassive),
              "qewrouvmoun qewrouvsoun qewrouvntan qewrouvmastan qewrouvsastan qewrouvntan");
}

TEST_F(Paradigms, DeponentsOfEveryEnding)
{
    // έρχομαι: the aorist ήρθα / να έρθω, the imperative έλα, ελάτε.
    EXPECT_EQ(Cells("KonT1", "evrcomai", kPassive), "evrcomai evrcesai evrcetai ercovmaste evrceste evrcontai");
    EXPECT_EQ(Cells("KonT2", "evrcomai", kPassive), "hvrqa hvrqeV hvrqe hvrqame hvrqate hvrqan");
    EXPECT_EQ(Cells("KonT4", "evrcomai", kPassive), "evrqw evrqeiV evrqei evrqoume evrqete evrqoun");
    EXPECT_EQ(Cells("KonT1", "evrcomai", kActive), "- - - - - -");
    EXPECT_EQ(Cells("IMPER", "evrcomai", "SiSimpAct,PlSimpAct"), "evla elavte");
    // κοιμάμαι, στενοχωριέμαι, αρνούμαι, είμαι.
    EXPECT_EQ(Cells("KonT1", "koimavmai", kPassive), "koimavmai koimavsai koimavtai koimovmaste koimavste koimouvntai");
    EXPECT_EQ(Cells("KonT3", "koimavmai", kPassive),
              "koimovmoun koimovsoun koimovtan koimovmastan koimovsastan koimovntan");
    EXPECT_EQ(Cells("IMPER", "koimavmai", "SiSimpPas,PlSimpPas"), "koimhvsou koimhqeivte");
    EXPECT_EQ(Cells("KonT1", "stenocwrievmai", kPassive),
              "stenocwrievmai stenocwrievsai stenocwrievtai stenocwriovmaste stenocwrievste stenocwriouvntai");
    EXPECT_EQ(Cells("KonT1", "arnouvmai", kPassive), "arnouvmai arneivsai arneivtai arnouvmaste arneivste arnouvntai");
    EXPECT_EQ(Cells("KonT1", "eivmai", kPassive), "eivmai eivsai eivnai eivmaste eivste eivnai");
    EXPECT_EQ(Cells("KonT3", "eivmai", kPassive), "hvmoun hvsoun hvtan hvmastan hvsastan hvtan");
}

TEST_F(Paradigms, IrregularVerbsAndTheAuxiliary)
{
    // λέω: είπα, να πω, πες / λέγε, πείτε / λέτε.
    EXPECT_EQ(Cells("KonT1", "levw", kActive), "levw leV levei levme levte levne");
    EXPECT_EQ(Cells("KonT2", "levw", kActive), "eivpa eivpeV eivpe eivpame eivpate eivpan");
    EXPECT_EQ(Cells("KonT4", "levw", kActive), "pw peiV pei pouvme peivte poun");
    EXPECT_EQ(Cells("IMPER", "levw", kImper), "peV - levge - peivte - levte -");
    // έχω: the present and past the perfect tenses are made of.
    EXPECT_EQ(Cells("KonT1", "evcw", kActive), "evcw evceiV evcei evcoume evcete evcoun");
    EXPECT_EQ(Cells("KonT3", "evcw", kActive), "eivca eivceV eivce eivcame eivcate eivcan");
}

TEST_F(Paradigms, PrefixedVerbsAugmentOnlyUnderTheStress)
{
    // επιστρέφω: επέστρεψα but επιστρέψαμε; imperatives επίστρεψε, επίστρεφε.
    EXPECT_EQ(Cells("KonT2", "epistrevfw", kActive),
              "epevstreya epevstreyeV epevstreye epistrevyame epistrevyate epevstreyan");
    EXPECT_EQ(Cells("IMPER", "epistrevfw", "SiSimpAct,SiContAct,PlSimpAct"), "epivstreye epivstrefe epistrevyte");
    EXPECT_EQ(Cells("IMPER", "upogravfw", "SiSimpAct,SiContAct"), "upovgraye upovgrafe");
    EXPECT_EQ(Cells("IMPER", "anafevrw", "SiSimpAct,SiContAct"), "anavfere anavfere");
    EXPECT_EQ(Cells("KonT2", "diarkwv", "S1a,P1a,P2a,P3a"), "dihvrkesa diarkevsame diarkevsate dihvrkesan");
}

TEST_F(Paradigms, NounsInTheirGendersColumns)
{
    EXPECT_EQ(Cells("Klino", "avnqrwpoV", kMasc), "avnqrwpoV avnqrwpo anqrwvpou avnqrwpoi anqrwvpouV anqrwvpwn");
    EXPECT_EQ(Cells("Klino", "avnqrwpoV", kFem), "- - - - - -");
    EXPECT_EQ(Cells("Klino", "povlh", kFem), "povlh povlh povlhV povleiV povleiV povlewn");
    EXPECT_EQ(Cells("Klino", "mavqhma", kNeut), "mavqhma mavqhma maqhvmatoV maqhvmata maqhvmata maqhmavtwn");
    // οι διακοπές is feminine: the noun view sets τις beside it.
    EXPECT_EQ(Cells("Klino", "diakopevV", kFem), "- - - diakopevV diakopevV diakopwvn");
    EXPECT_EQ(db.Value("SELECT Genus FROM Main WHERE Greek = 'diakopevV'").toInt(), 1);
}

TEST_F(Paradigms, PluralsEndAsTheirGenderDeclines)
{
    // The noun view sets the article of the noun's gender beside every form,
    // so a plural of another gender (ta crovnia of o crovnoV) reads wrong
    // there: masculine and feminine plurals end in -oi, -eV or -eiV, neuter
    // ones in -a or -h unless the noun is indeclinable (ta taxiv).
    const auto plainEnd = [](QString form, const QStringList &endings) {
        form.remove(QLatin1Char('v'));
        for (const QString &e : endings)
            if (form.endsWith(e))
                return true;
        return false;
    };
    const QStringList nounRows[] = {
        {"am", "pMNom", "sMNom"}, {"af", "pFNom", "sFNom"}, {"an", "pNNom", "sNNom"}};
    for (const QStringList &g : nounRows) {
        const auto rows = db.Rows(QStringLiteral("SELECT m.Greek, k.%2, k.%3 FROM Main m JOIN Klino k ON k.ID = m.ID "
                                                 "WHERE m.WT = '%1' AND k.%2 IS NOT NULL")
                                      .arg(g[0], g[1], g[2]));
        EXPECT_GT(rows.size(), 100u) << g[0].toStdString();
        for (const auto &row : rows) {
            const QString plural = row.at(1).toString();
            const bool fits = g[0] == QLatin1String("an")
                                  ? plainEnd(plural, {"a", "h"}) || plural == row.at(2).toString()
                                  : plainEnd(plural, {"oi", "eV", "eiV"});
            EXPECT_TRUE(fits) << row.at(0).toString().toStdString() << ": " << plural.toStdString();
        }
    }
}

TEST_F(Paradigms, AdjectivesInAllEighteenColumns)
{
    const std::string all = std::string(kMasc) + "," + kFem + "," + kNeut;
    EXPECT_EQ(Cells("Klino", "kalovV", all.c_str()),
              "kalovV kalov kalouv kaloiv kalouvV kalwvn kalhv kalhv kalhvV kalevV kalevV kalwvn "
              "kalov kalov kalouv kalav kalav kalwvn");
    EXPECT_EQ(Cells("Klino", "baquvV", all.c_str()),
              "baquvV baquv baqiouv baqioiv baqiouvV baqiwvn baqiav baqiav baqiavV baqievV baqievV baqiwvn "
              "baquv baquv baqiouv baqiav baqiav baqiwvn");
    EXPECT_EQ(Cells("Klino", "akribhvV", all.c_str()),
              "akribhvV akribhv akribouvV akribeivV akribeivV akribwvn akribhvV akribhv akribouvV akribeivV "
              "akribeivV akribwvn akribevV akribevV akribouvV akribhv akribhv akribwvn");
}
