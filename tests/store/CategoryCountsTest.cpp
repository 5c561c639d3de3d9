// The category tree's nodes and counts against the words of the database.
// Meaning words are counted as runs of equal spelling, so "Good" and "good"
// count twice: the expected counts compare spellings exactly.

#include "store/CategoryTree.h"

#include "ThirdLanguageFixture.h"
#include "store/ThirdLanguages.h"

using tavtest::ThirdLanguageFixture;

namespace {

const QString Joined = QStringLiteral("SELECT count(*) FROM Main JOIN GreekSwedish ON Main.ID = GreekSwedish.ID WHERE ");

QString CaptionOf(const QVector<tav::CategoryNode> &nodes, const QString &key)
{
    for (const tav::CategoryNode &n : nodes)
        if (n.key == key)
            return n.caption;
    return QStringLiteral("<missing>");
}

} // namespace

TEST_F(ThirdLanguageFixture, TreeNodesCarryTheirCountsAndCaptions)
{
    tav::CountFailure failure;
    const QVector<tav::CategoryNode> nodes = tav::BuildCategoryNodes(failure);
    EXPECT_FALSE(failure.failed) << failure.description.toStdString();
    ASSERT_EQ(nodes.size(), 23);

    auto count = [&](const QString &where) { return QString::number(NativeCount(Joined + where)); };
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Root")), QStringLiteral("All Words"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("All Greek")), count(QStringLiteral("1")) + QStringLiteral(" Greek"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Verbs")),
              count(QStringLiteral("WT IN ('c1','c2','c3','cv','cA','cp1','cp2','cp3','cp4','cp5')")) +
                  QStringLiteral(" Verbs"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("HTyp0")), count(QStringLiteral("WT = 'cA'")) + QStringLiteral(" Auxiliary"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("HTyp1")),
              count(QStringLiteral("WT IN ('c1','c2','c3','cv','cA')")) + QStringLiteral(" Active"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("HTyp2")), count(QStringLiteral("WT IN ('cp1','cp2','cp3','cp4','cp5')")) + QStringLiteral(" Passive"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("ATyp0")),
              count(QStringLiteral("WT = 'c1'")) + QStringLiteral(" First \"omega\"conjugation"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("ATyp2")),
              count(QStringLiteral("WT = 'c2'")) + QStringLiteral(" 2:1\"as\" conjugation"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("ATyp3")),
              count(QStringLiteral("WT = 'c3'")) + QStringLiteral(" 2:2 \"eis\" conjugation"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("PTyp3")),
              count(QStringLiteral("WT = 'cp4'")) + QStringLiteral(" \"oumai\" conjugation"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Nouns")),
              count(QStringLiteral("Genus IN (0,1,2)")) + QStringLiteral(" Nouns"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("NTyp1")), count(QStringLiteral("Genus = 1")) + QStringLiteral(" Feminine"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Adjectives")),
              count(QStringLiteral("substr(WT, 1, 1) = 'b'")) + QStringLiteral(" Adjectives"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Info")), QStringLiteral("Unique English/Swedish"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("English")),
              QString::number(NativeCount(QStringLiteral("SELECT count(DISTINCT Lat COLLATE BINARY) FROM AllEnglishGreek"))) +
                  QStringLiteral(" English"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Swedish")),
              QString::number(NativeCount(QStringLiteral("SELECT count(DISTINCT Lat COLLATE BINARY) FROM AllSwedishGreek"))) +
                  QStringLiteral(" Swedish"));

    // Each node keeps the count its caption shows (the Show button reads it);
    // the two nodes without a count keep 0.
    for (const tav::CategoryNode &n : nodes) {
        const bool counted = n.key != QLatin1String("Root") && n.key != QLatin1String("Info");
        EXPECT_EQ(n.count, counted ? n.caption.section(QLatin1Char(' '), 0, 0).toLongLong() : 0)
            << n.key.toStdString();
    }

    // Parents, tags and the nodes that start expanded or without image.
    EXPECT_EQ(nodes.at(6).parent, QStringLiteral("HTyp1"));
    EXPECT_EQ(nodes.at(6).tag, QStringLiteral("GRRACTome"));
    EXPECT_EQ(nodes.at(22).parent, QStringLiteral("Info"));
    EXPECT_EQ(nodes.at(22).tag, QStringLiteral("XXW"));
    for (int i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes.at(i).expanded, i == 0 || i == 1 || i == 20) << i;
        EXPECT_EQ(nodes.at(i).image, i != 20) << i;
    }
}

TEST_F(ThirdLanguageFixture, AHiddenThirdLanguageHasNoNodeButTheGreekCountsStayJoined)
{
    tav::OptBoHide3 = true;
    tav::CountFailure failure;
    const QVector<tav::CategoryNode> nodes = tav::BuildCategoryNodes(failure);
    ASSERT_EQ(nodes.size(), 22);
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Info")), QStringLiteral("Unique English"));
    EXPECT_EQ(nodes.last().key, QStringLiteral("English"));
}

TEST_F(ThirdLanguageFixture, RecountUnderALetterCountsOnlyWordsOfThatLetter)
{
    tav::CountFailure failure;
    const QString suffix = tav::LetterSuffix(1, true);
    EXPECT_EQ(tav::RecountCaption(QStringLiteral("All Greek"), QStringLiteral("GRW"), QStringLiteral("a"), suffix, failure).text,
              QString::number(NativeCount(Joined + QStringLiteral("lower(substr(Main.Greek, 1, 1)) = 'a'"))) +
                  QStringLiteral(" Greek words on \"Alfa\""));
    EXPECT_EQ(tav::RecountCaption(QStringLiteral("NTyp0"), QStringLiteral("GRNmas"), QStringLiteral("a"), suffix, failure).text,
              QString::number(NativeCount(Joined + QStringLiteral("lower(substr(Main.Greek, 1, 1)) = 'a' AND Genus = 0"))) +
                  QStringLiteral(" Masculine on \"Alfa\""));
    EXPECT_EQ(tav::RecountCaption(QStringLiteral("Verbs"), QStringLiteral("GRR"), QStringLiteral("p"), QString(), failure).text,
              QString::number(NativeCount(Joined + QStringLiteral("lower(substr(Main.Greek, 1, 1)) = 'p' AND WT IN "
                                                                  "('c1','c2','c3','cv','cA','cp1','cp2','cp3','cp4','cp5')"))) +
                  QStringLiteral(" Verbs"));
    EXPECT_EQ(tav::RecountCaption(QStringLiteral("English"), QStringLiteral("GBW"), QStringLiteral("b"),
                                  tav::LetterSuffix(2, false), failure).text,
              QString::number(NativeCount(QStringLiteral("SELECT count(DISTINCT Lat COLLATE BINARY) FROM AllEnglishGreek "
                                                         "WHERE lower(substr(Lat, 1, 1)) = 'b'"))) +
                  QStringLiteral(" English words on \"b\""));
    EXPECT_EQ(tav::RecountCaption(QStringLiteral("Swedish"), QStringLiteral("XXW"), QString(), QString(), failure).text,
              QString::number(NativeCount(QStringLiteral("SELECT count(DISTINCT Lat COLLATE BINARY) FROM AllSwedishGreek"))) +
                  QStringLiteral(" Swedish words"));
    EXPECT_FALSE(failure.failed);
}

TEST_F(ThirdLanguageFixture, FailingCountsShowZeroAndAreRecordedOnce)
{
    // The third language's tables are gone: every Greek count and the
    // language's own node fail; English still counts.
    tav::WordDb->ExecNative(QStringLiteral("DROP TABLE GreekSwedish"));
    tav::WordDb->ExecNative(QStringLiteral("DROP TABLE AllSwedishGreek"));
    tav::CountFailure failure;
    const QVector<tav::CategoryNode> nodes = tav::BuildCategoryNodes(failure);
    EXPECT_TRUE(failure.failed);
    EXPECT_FALSE(failure.description.isEmpty());
    ASSERT_EQ(nodes.size(), 23);
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Verbs")), QStringLiteral("0 Verbs"));
    EXPECT_EQ(CaptionOf(nodes, QStringLiteral("Swedish")), QStringLiteral("0 Swedish"));
    EXPECT_NE(CaptionOf(nodes, QStringLiteral("English")), QStringLiteral("0 English"));
}
