// The inflection rules of the database builder on known Greek words.

#include "GreekUnicode.h"
#include "Inflection.h"
#include "Syllables.h"

#include <gtest/gtest.h>

using namespace tav::inflect;

namespace {
Six S(const char *a, const char *b, const char *c, const char *d, const char *e, const char *f)
{
    return {a, b, c, d, e, f};
}
} // namespace

TEST(Syllables, NucleiPairsGlidesAndMarks)
{
    EXPECT_EQ(SyllableCount("anqrwpoV"), 3);
    EXPECT_EQ(SyllableCount("paidiav"), 2);      // ai is one vowel, i before a a glide
    EXPECT_EQ(SyllableCount("biblivo"), 3);      // a stressed i is a vowel of its own
    EXPECT_EQ(SyllableCount("rolovi"), 3);       // o-i split by the mark
    EXPECT_EQ(SyllableCount("evftiaxa"), 3);
    EXPECT_EQ(SyllableCount("douleuvw"), 3);
    EXPECT_EQ(SyllableCount("moiazw"), 2);       // unstressed oi before a vowel: a glide too
    EXPECT_EQ(StressFromEnd("moiase", 3), "moiavse");
    EXPECT_EQ(StressIndex("douleuvw"), 1);
    EXPECT_EQ(StressIndex("kai"), -1);
    EXPECT_EQ(StressFromEnd("gravyame", 3), "gravyame");
    EXPECT_EQ(StressFromEnd("agaphqhkame", 3), "agaphqhvkame");
    EXPECT_EQ(StressFromEnd("diabasame", 3), "diabavsame");
    EXPECT_EQ(StressAt("akouw", 1), "akouvw");   // the mark follows the pair
    EXPECT_EQ(StressFromEnd("peiV", 1), "peiV"); // one syllable: no mark
}

TEST(VerbRules, PresentOfEachActiveClass)
{
    EXPECT_EQ(PresentActive("c1", "gravfw"), S("gravfw", "gravfeiV", "gravfei", "gravfoume", "gravfete", "gravfoun"));
    EXPECT_EQ(PresentActive("cA", "evcw"), S("evcw", "evceiV", "evcei", "evcoume", "evcete", "evcoun"));
    EXPECT_EQ(PresentActive("cv", "akouvw"), S("akouvw", "akouvV", "akouvei", "akouvme", "akouvte", "akouvn"));
    EXPECT_EQ(PresentActive("cv", "levw"), S("levw", "leV", "levei", "levme", "levte", "levne"));
    EXPECT_EQ(PresentActive("c2", "agapavw"), S("agapavw", "agapavV", "agapavei", "agapavme", "agapavte", "agapouvn"));
    EXPECT_EQ(PresentActive("c2", "agapwv"), PresentActive("c2", "agapavw"));
    EXPECT_EQ(PresentActive("c3", "mporwv"), S("mporwv", "mporeivV", "mporeiv", "mporouvme", "mporeivte", "mporouvn"));
    EXPECT_EQ(PresentActive("c3", "zw"), S("zw", "zeiV", "zei", "zouvme", "zeivte", "zoun"));
    EXPECT_THROW(PresentActive("c3", "gravfw"), InflectError);
    EXPECT_THROW(PresentActive("c1", "mporwv"), InflectError);
    EXPECT_THROW(PresentActive("cx", "gravfw"), InflectError);
}

TEST(VerbRules, PresentPassiveByEnding)
{
    EXPECT_EQ(PresentPassive("evrcomai"),
              S("evrcomai", "evrcesai", "evrcetai", "ercovmaste", "evrceste", "evrcontai"));
    EXPECT_EQ(PresentPassive("koimavmai"),
              S("koimavmai", "koimavsai", "koimavtai", "koimovmaste", "koimavste", "koimouvntai"));
    EXPECT_EQ(PresentPassive("agapievmai"),
              S("agapievmai", "agapievsai", "agapievtai", "agapiovmaste", "agapievste", "agapiouvntai"));
    EXPECT_EQ(PresentPassive("arnouvmai"),
              S("arnouvmai", "arneivsai", "arneivtai", "arnouvmaste", "arneivste", "arnouvntai"));
    EXPECT_TRUE(IsEmpty(PresentPassive("eivmai"))); // irregular: forms come from the overrides
}

TEST(VerbRules, PastTensesMoveTheStressAndDropTheAugment)
{
    EXPECT_EQ(PastTense("evgraya", "gravyw"),
              S("evgraya", "evgrayeV", "evgraye", "gravyame", "gravyate", "evgrayan"));
    EXPECT_EQ(PastTense("gravfthka", "graftwv"),
              S("gravfthka", "gravfthkeV", "gravfthke", "grafthvkame", "grafthvkate", "gravfthkan"));
    EXPECT_EQ(PastTense("agavphsa", "agaphvsw"),
              S("agavphsa", "agavphseV", "agavphse", "agaphvsame", "agaphvsate", "agavphsan"));
    // Imperfects: the augment goes where the headword has none.
    EXPECT_EQ(PastTense("evlega", "levw")[3], "levgame");
    EXPECT_EQ(PastTense("evmpaina", "mpaivnw")[4], "mpaivnate");
    // An initial e of the stem itself stays (elpivzw), as do h and ei.
    EXPECT_EQ(PastTense("evlpiza", "elpivzw")[3], "elpivzame");
    EXPECT_EQ(PastTense("hvrqa", "evrqw")[3], "hvrqame");
    EXPECT_EQ(PastTense("eivca", "evcw"), S("eivca", "eivceV", "eivce", "eivcame", "eivcate", "eivcan"));
    EXPECT_EQ(PastTense("hvpia", "piw")[3], "hvpiame"); // the glide i is no syllable
    EXPECT_TRUE(IsEmpty(PastTense("", "gravyw")));
    EXPECT_THROW(PastTense("evgrayo", "gravyw"), InflectError);
}

TEST(VerbRules, PassiveImperfect)
{
    EXPECT_EQ(PassiveImperfect("grafovmoun", false),
              S("grafovmoun", "grafovsoun", "grafovtan", "grafovmastan", "grafovsastan", "gravfontan"));
    EXPECT_EQ(PassiveImperfect("koimovmoun", true)[5], "koimovntan");
    EXPECT_EQ(PassiveImperfect("agapiovmoun", false)[5], "agapiovntan");
    // -ouvmai verbs: the third person singular is the plural's -ouvntan
    // (qewrouvntan), as the grammars give it.
    EXPECT_EQ(PassiveImperfect("qewrouvmoun", false),
              S("qewrouvmoun", "qewrouvsoun", "qewrouvntan", "qewrouvmastan", "qewrouvsastan", "qewrouvntan"));
}

TEST(VerbRules, SubjunctiveKinds)
{
    EXPECT_EQ(Subjunctive("gravyw"), S("gravyw", "gravyeiV", "gravyei", "gravyoume", "gravyete", "gravyoun"));
    EXPECT_EQ(Subjunctive("graftwv"), S("graftwv", "grafteivV", "grafteiv", "graftouvme", "grafteivte", "graftouvn"));
    EXPECT_EQ(Subjunctive("pw"), S("pw", "peiV", "pei", "pouvme", "peivte", "poun"));
    EXPECT_EQ(Subjunctive("piw"), S("piw", "pieiV", "piei", "piouvme", "pieivte", "pioun"));
    EXPECT_EQ(Subjunctive("favw"), S("favw", "faV", "favei", "favme", "favte", "favne"));
    EXPECT_TRUE(IsEmpty(Subjunctive("")));
}

TEST(VerbRules, Imperatives)
{
    ImperativeSources src;
    src.wt = "c1";
    src.headword = "gravfw";
    src.subjunctive = "gravyw";
    src.passiveSubjunctive = "graftwv";
    src.presentActive = PresentActive("c1", "gravfw");
    src.presentPassive = PresentPassive("gravfomai");
    src.passiveSubjunctiveForms = Subjunctive("graftwv");
    EXPECT_EQ(Imperatives(src),
              (Eight{"gravye", "", "gravfe", "", "gravyte", "grafteivte", "gravfete", "gravfeste"}));
    src.headword = "sxediavzw";
    src.imperfect = "sxedivaza"; // no augment: the past form's stress
    src.subjunctive = "sxediavsw";
    src.aorist = "sxedivasa";
    EXPECT_EQ(Imperatives(src)[2], "sxedivaze");
    EXPECT_EQ(Imperatives(src)[0], "sxedivase");

    // Prefixed verbs augment inside (epevstreya, epevstrefa, anevfera):
    // the imperative takes the unaugmented stem, stressed on the antepenult.
    ImperativeSources back;
    back.wt = "c1";
    back.headword = "epistrevfw";
    back.imperfect = "epevstrefa";
    back.subjunctive = "epistrevyw";
    back.aorist = "epevstreya";
    EXPECT_EQ(Imperatives(back)[0], "epivstreye");
    EXPECT_EQ(Imperatives(back)[2], "epivstrefe");
    EXPECT_EQ(Imperatives(back)[4], "epistrevyte");
    back.headword = "anafevrw";
    back.imperfect = "anevfera";
    back.subjunctive = "anafevrw";
    back.aorist = "anevfera";
    EXPECT_EQ(Imperatives(back)[0], "anavfere");
    EXPECT_EQ(Imperatives(back)[2], "anavfere");
    back.headword = "perigravfw";
    back.imperfect = "perievgrafa";
    back.subjunctive = "perigravyw";
    back.aorist = "perievgraya";
    EXPECT_EQ(Imperatives(back)[0], "perivgraye");
    EXPECT_EQ(Imperatives(back)[2], "perivgrafe");
    // A prefix without internal augment keeps the past form's stress.
    back.headword = "anoivgw";
    back.imperfect = "avnoiga";
    back.subjunctive = "anoivxw";
    back.aorist = "avnoixa";
    EXPECT_EQ(Imperatives(back)[0], "avnoixe");
    EXPECT_EQ(Imperatives(back)[2], "avnoige");

    ImperativeSources sleep;
    sleep.wt = "cp2";
    sleep.passiveSubjunctive = "koimhqwv";
    EXPECT_EQ(Imperatives(sleep)[1], "koimhvsou");
    sleep.passiveSubjunctive = "skeftwv";
    EXPECT_EQ(Imperatives(sleep)[1], "skevyou");

    ImperativeSources c2;
    c2.wt = "c2";
    c2.headword = "agapavw";
    c2.subjunctive = "agaphvsw";
    c2.passiveSubjunctive = "agaphqwv";
    c2.presentActive = PresentActive("c2", "agapavw");
    const Eight love = Imperatives(c2);
    EXPECT_EQ(love[0], "agavphse");
    EXPECT_EQ(love[1], "");
    EXPECT_EQ(love[2], "agavpa");
    EXPECT_EQ(love[4], "agaphvste");

    ImperativeSources go;
    go.wt = "c1";
    go.headword = "feuvgw";
    go.subjunctive = "fuvgw";
    EXPECT_EQ(Imperatives(go)[4], "fuvgete"); // no short plural after g or n
    go.subjunctive = "pluvnw";
    EXPECT_EQ(Imperatives(go)[4], "pluvnete");
    go.subjunctive = "pavrw";
    EXPECT_EQ(Imperatives(go)[4], "pavrte");
    go.subjunctive = "anafevrw"; // a compound of fevrw takes the long plural
    EXPECT_EQ(Imperatives(go)[4], "anafevrete");
    go.subjunctive = "dw";
    EXPECT_EQ(Imperatives(go)[0], "deV");
    EXPECT_EQ(Imperatives(go)[4], "deivte");
}

TEST(NominalRules, NounsTakeTheirAccusativesByRule)
{
    EXPECT_EQ(DeclineNoun(0, "avnqrwpoV", "anqrwvpou", "avnqrwpoi", "anqrwvpwn"),
              S("avnqrwpoV", "avnqrwpo", "anqrwvpou", "avnqrwpoi", "anqrwvpouV", "anqrwvpwn"));
    EXPECT_EQ(DeclineNoun(0, "patevraV", "patevra", "patevreV", "patevrwn"),
              S("patevraV", "patevra", "patevra", "patevreV", "patevreV", "patevrwn"));
    EXPECT_EQ(DeclineNoun(1, "odovV", "odouv", "odoiv", "odwvn")[4], "odouvV");
    EXPECT_EQ(DeclineNoun(1, "mevra", "mevraV", "mevreV", "merwvn"),
              S("mevra", "mevra", "mevraV", "mevreV", "mevreV", "merwvn"));
    // A neuter keeps its nominative in the accusative, final V included.
    EXPECT_EQ(DeclineNoun(2, "krevaV", "krevatoV", "krevata", "kreavtwn")[1], "krevaV");
    EXPECT_EQ(DeclineNoun(2, "", "", "Cristouvgenna", "Cristougevnnwn")[0], "");
    EXPECT_EQ(GenusOfArticle("o"), 0);
    EXPECT_EQ(GenusOfArticle("h"), 1);
    EXPECT_EQ(GenusOfArticle("to"), 2);
    EXPECT_EQ(GenusOfArticle("tis"), 99);
}

TEST(NominalRules, AdjectivePatterns)
{
    const Eighteen good = DeclineAdjective("kalovV", "kalhv", "kalov");
    EXPECT_EQ(good[2], "kalouv");
    EXPECT_EQ(good[4], "kalouvV");
    EXPECT_EQ(good[8], "kalhvV");
    EXPECT_EQ(good[9], "kalevV");
    EXPECT_EQ(good[15], "kalav");
    const Eighteen beautiful = DeclineAdjective("wraivoV", "wraiva", "wraivo");
    EXPECT_EQ(beautiful[2], "wraivou");   // the stress stays on the stem
    EXPECT_EQ(beautiful[8], "wraivaV");
    EXPECT_EQ(beautiful[11], "wraivwn");
    const Eighteen sweet = DeclineAdjective("glukovV", "glukiav", "glukov");
    EXPECT_EQ(sweet[7], "glukiav");
    EXPECT_EQ(sweet[11], "glukwvn");     // feminine genitive plural as the masculine
    const Eighteen deep = DeclineAdjective("baquvV", "baqiav", "baquv");
    EXPECT_EQ(deep[2], "baqiouv");
    EXPECT_EQ(deep[15], "baqiav");
    const Eighteen exact = DeclineAdjective("akribhvV", "akribhvV", "akribevV");
    EXPECT_EQ(exact[2], "akribouvV");
    EXPECT_EQ(exact[15], "akribhv");
    EXPECT_THROW(DeclineAdjective("poluvV", "pollhv", "poluv"), InflectError);
    EXPECT_EQ(DeclineParticiple("grammevnoV")[6], "grammevnh");
    EXPECT_THROW(DeclineParticiple("grammevnh"), InflectError);
}

TEST(GreekUnicode, KeysBecomeGreekLetters)
{
    EXPECT_EQ(ToUnicodeGreek("gravfw"), "γράφω");
    EXPECT_EQ(ToUnicodeGreek("kalwvV orivsate"), "καλώς ορίσατε");
    EXPECT_EQ(ToUnicodeGreek("logos"), "λογος"); // an s at the end is final sigma
    EXPECT_EQ(ToUnicodeGreek("Ellhnikav"), "Ελληνικά");
    EXPECT_EQ(ToUnicodeGreek("ouv"), "ού");
    EXPECT_EQ(ToUnicodeGreek("rolovi"), "ρολόι");
}
