#include "store/CategoryCodes.h"

#include "store/SharedState.h"

#include <gtest/gtest.h>

using namespace tav;

TEST(CategoryCodes, LongAndShortTexts)
{
    EXPECT_EQ(CategoryText("GRW"), "Greek words");
    EXPECT_EQ(CategoryShortText("GRR"), "Verbs");
    EXPECT_EQ(CategoryText("GRA"), "Greek adjective");
    EXPECT_EQ(CategoryShortText("GRA"), "Adjectives");
    EXPECT_EQ(CategoryShortText("GRNneu"), "Neuter");
    EXPECT_EQ(CategoryText("GBW"), "English words");
    // The first conjugation's texts have no blank before "conjugation"; the others have one.
    EXPECT_EQ(CategoryText("GRRACTome"), "Greek active verbs, first \"omega\"conjugation");
    EXPECT_EQ(CategoryShortText("GRRACTome"), "First \"omega\"conjugation");
    EXPECT_EQ(CategoryText("GRRACTass"), "Greek active verbs, 2:1 \"as\" conjugation");
    EXPECT_EQ(CategoryShortText("GRRACTeis"), "2:2 \"eis\" conjugation");
    EXPECT_EQ(CategoryText("GRRPASiem"), "Greek passive verbs \"iemai\" conjugation");
    EXPECT_EQ(CategoryShortText("GRRPASema"), "\"emai\" conjugation");
    EXPECT_EQ(CategoryText("GRRACTvoc"), "Greek active verbs, vocal stem conjugation");
}

TEST(CategoryCodes, EveryCodeHasBothTexts)
{
    for (const char *code : {"GRW", "GRR", "GRRHaux", "GRRHact", "GRRHpas", "GRRACTome", "GRRACTvoc", "GRRACTass",
                             "GRRACTeis", "GRRPASoma", "GRRPASama", "GRRPASiem", "GRRPASoum", "GRRPASema", "GRN",
                             "GRNmas", "GRNfem", "GRNneu", "GRA", "GBW", "XXW"}) {
        EXPECT_FALSE(CategoryText(code).isEmpty()) << code;
        EXPECT_FALSE(CategoryShortText(code).isEmpty()) << code;
    }
}

TEST(CategoryCodes, ThirdLanguageAndUnknownCodes)
{
    const QString saved = Opt3rdLang;
    Opt3rdLang = "Swedish";
    EXPECT_EQ(CategoryText("XXW"), "Swedish words");
    EXPECT_EQ(CategoryShortText("XXW"), "Swedish words");
    Opt3rdLang = "";
    EXPECT_EQ(CategoryText("XXW"), " words");
    Opt3rdLang = saved;
    EXPECT_EQ(CategoryText("grw"), "");
    EXPECT_EQ(CategoryShortText("grw"), "");
    EXPECT_EQ(CategoryText(""), "");
    EXPECT_EQ(CategoryShortText("XXW "), "");
}
