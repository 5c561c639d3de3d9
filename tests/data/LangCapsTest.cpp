// The interface texts: data/langcaps.tsv, the source the database builder
// loads into LangCaps, must hold a text for every caption number a window
// loads, with the blanks that texts joined to others need.

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

struct CaptionFile {
    QMap<int, QString> texts;
    QStringList problems; // malformed or repeated lines, with their line numbers
};

CaptionFile ReadCaptionFile()
{
    CaptionFile out;
    QFile file(QStringLiteral(TAV_SOURCE_DIR "/data/langcaps.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        out.problems << QStringLiteral("cannot open data/langcaps.tsv");
        return out;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    int lineNo = 0;
    bool headerSeen = false;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (cols.size() != 2) {
            out.problems << QStringLiteral("line %1: %2 columns").arg(lineNo).arg(cols.size());
            continue;
        }
        if (!headerSeen) {
            headerSeen = true;
            if (cols != QStringList{QStringLiteral("Index"), QStringLiteral("English")})
                out.problems << QStringLiteral("line %1: header is not Index<TAB>English").arg(lineNo);
            continue;
        }
        bool ok = false;
        const int index = cols[0].toInt(&ok);
        if (!ok) {
            out.problems << QStringLiteral("line %1: caption number '%2'").arg(lineNo).arg(cols[0]);
            continue;
        }
        if (out.texts.contains(index))
            out.problems << QStringLiteral("line %1: caption %2 appears twice").arg(lineNo).arg(index);
        out.texts.insert(index, cols[1]);
    }
    return out;
}

// Every caption number that a window reads: the ranges the main window copies
// into its caption arrays, the exercise window's own look-ups and the standard
// list window's own look-ups.
QList<int> RequiredCaptionNumbers()
{
    const QList<QPair<int, int>> ranges = {
        {1185, 1218}, {1172, 1179}, {1079, 1081}, {1219, 1224}, {1235, 1237}, {1240, 1245},
        {1249, 1254}, {1255, 1257}, {1258, 1261}, {1362, 1363}, {1364, 1370}, {1373, 1378},
        {1262, 1265}, {1348, 1350}, {1352, 1355}, {1357, 1361}, {1317, 1321}, {1292, 1315},
        {1130, 1136}, {1322, 1332}, {1335, 1339},
        {1104, 1107}, {1112, 1118}, {1099, 1099}, // exercise window
        {1142, 1149},                             // standard list window
    };
    QList<int> out;
    for (const auto &[first, last] : ranges)
        for (int n = first; n <= last; ++n)
            out << n;
    return out;
}

const QStringList kLetterKeys = QStringLiteral("a b g d e z h q i k l m n x o p r s t u f c y w")
                                    .split(QLatin1Char(' '));

} // namespace

TEST(LangCaps, SourceFileIsWellFormed)
{
    const CaptionFile file = ReadCaptionFile();
    EXPECT_TRUE(file.problems.isEmpty()) << file.problems.join(QLatin1Char('\n')).toStdString();
    for (auto it = file.texts.cbegin(); it != file.texts.cend(); ++it) {
        EXPECT_GE(it.key(), 1079);
        EXPECT_LE(it.key(), 1378);
        EXPECT_FALSE(it.value().trimmed().isEmpty()) << "caption " << it.key() << " has no text";
        // A line break or tab cannot be stored in one line of the file; a stray
        // control character would show as a box in a label.
        static const QRegularExpression control(QStringLiteral("[\\x00-\\x1f\\x7f]"));
        EXPECT_FALSE(it.value().contains(control)) << "caption " << it.key();
    }
}

TEST(LangCaps, EveryCaptionAWindowReadsHasAText)
{
    const CaptionFile file = ReadCaptionFile();
    QStringList missing;
    for (int n : RequiredCaptionNumbers())
        if (!file.texts.contains(n))
            missing << QString::number(n);
    EXPECT_TRUE(missing.isEmpty()) << "missing: " << missing.join(QLatin1Char(' ')).toStdString();
}

TEST(LangCaps, LetterFilterHoldsTheGreekKeysInAlphabetOrder)
{
    const CaptionFile file = ReadCaptionFile();
    ASSERT_EQ(kLetterKeys.size(), 24);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(file.texts.value(1292 + i), kLetterKeys[i]) << "caption " << 1292 + i;
}

TEST(LangCaps, TextsJoinedToOthersCarryTheirBlanks)
{
    const CaptionFile file = ReadCaptionFile();
    // The word count is the number followed directly by 1212; "0 " already
    // carries its blank before 1211.
    EXPECT_TRUE(file.texts.value(1212).startsWith(QLatin1Char(' ')));
    EXPECT_FALSE(file.texts.value(1211).startsWith(QLatin1Char(' ')));
    // The delete question ends before the word ID, and 1206 follows 1208 directly.
    EXPECT_TRUE(file.texts.value(1202).endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(file.texts.value(1206).startsWith(QLatin1Char(' ')));
    // The store option is followed by " (n)".
    EXPECT_FALSE(file.texts.value(1325).endsWith(QLatin1Char(' ')));
    // The two captions of the repetition-list check box must differ, or the
    // box would not show its state.
    EXPECT_NE(file.texts.value(1331), file.texts.value(1332));
}
