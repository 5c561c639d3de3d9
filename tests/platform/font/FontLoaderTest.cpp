#include "platform/font/FontLoader.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

using namespace winsys;

// The font files are made by the build into the program's folder.
class GreekFontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_loaded = LoadGreekFonts(QStringLiteral(TAV_BIN_DIR)); }
    static bool s_loaded;
};
bool GreekFontTest::s_loaded = false;

TEST_F(GreekFontTest, LoadsFromTheProgramFolder)
{
    ASSERT_TRUE(s_loaded);
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("VudedoGreek")));
    // Loading again adds nothing and still reports the family.
    EXPECT_TRUE(LoadGreekFonts(QStringLiteral(TAV_BIN_DIR)));
    EXPECT_EQ(GreekFont(14).family(), QStringLiteral("VudedoGreek"));
    EXPECT_EQ(GreekFont(14).pointSize(), 14);
    // The regular and the bold file are both there.
    const QStringList styles = QFontDatabase::styles(QStringLiteral("VudedoGreek"));
    EXPECT_GE(styles.size(), 2) << styles.join(',').toStdString();
    EXPECT_TRUE(QFontDatabase::bold(QStringLiteral("VudedoGreek"), styles.value(1)) ||
                QFontDatabase::bold(QStringLiteral("VudedoGreek"), styles.value(0)));
}

TEST_F(GreekFontTest, AccentKeyHasNoAdvance)
{
    ASSERT_TRUE(s_loaded);
    for (int size : {14, 22, 30}) {
        const QFontMetrics fm(GreekFont(size));
        EXPECT_EQ(fm.horizontalAdvance(QLatin1Char('v')), 0) << size;
        // A vowel with its mark is as wide as the vowel alone.
        EXPECT_EQ(fm.horizontalAdvance(QStringLiteral("av")), fm.horizontalAdvance(QStringLiteral("a")));
    }
}

TEST_F(GreekFontTest, KeysMapToTheGreekGlyphs)
{
    ASSERT_TRUE(s_loaded);
    const QRawFont greek = QRawFont::fromFont(GreekFont(22));
    ASSERT_TRUE(greek.isValid());
    ASSERT_EQ(greek.familyName(), QStringLiteral("VudedoGreek"));
    const QString keys = QStringLiteral("abgdezhqiklmnxoprstufcyw");
    const QString small = QStringLiteral("αβγδεζηθικλμνξοπρστυφχψω");
    for (int i = 0; i < keys.size(); ++i) {
        const auto key = greek.glyphIndexesForString(QString(keys[i]));
        const auto letter = greek.glyphIndexesForString(QString(small[i]));
        ASSERT_EQ(key.size(), 1);
        EXPECT_EQ(key, letter) << "key " << keys[i].toLatin1();
        const auto capKey = greek.glyphIndexesForString(QString(keys[i].toUpper()));
        const auto capital = greek.glyphIndexesForString(QString(small[i].toUpper()));
        EXPECT_EQ(capKey, capital) << "key " << keys[i].toUpper().toLatin1();
    }
    EXPECT_EQ(greek.glyphIndexesForString(QStringLiteral("V")), greek.glyphIndexesForString(QStringLiteral("ς")));
    EXPECT_EQ(greek.glyphIndexesForString(QStringLiteral("v")), greek.glyphIndexesForString(QStringLiteral("\u0301")));
    // Digits and punctuation keep their own shapes.
    EXPECT_NE(greek.glyphIndexesForString(QStringLiteral("1")), greek.glyphIndexesForString(QStringLiteral("a")));
    EXPECT_TRUE(greek.supportsCharacter(QLatin1Char('.')));
}

TEST_F(GreekFontTest, TheMarkIsDrawnOverTheLetterBeforeIt)
{
    ASSERT_TRUE(s_loaded);
    // "av" must cover the pixels of "a" plus a mark above it inside the
    // letter's own width, and nothing to its right.
    const QFont font = GreekFont(30);
    const QFontMetrics fm(font);
    auto render = [&](const QString &text) {
        QImage image(fm.horizontalAdvance(QStringLiteral("aa")) + 20, fm.height(), QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(10, fm.ascent(), text);
        return image;
    };
    const QImage plain = render(QStringLiteral("a"));
    const QImage marked = render(QStringLiteral("av"));
    const int letterRight = 10 + fm.horizontalAdvance(QLatin1Char('a'));
    int letterTop = plain.height();
    for (int y = 0; y < plain.height() && letterTop == plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (qGray(plain.pixel(x, y)) < 128) {
                letterTop = y;
                break;
            }
    int extraInside = 0, extraOutside = 0, extraLow = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (qGray(marked.pixel(x, y)) < 128 && qGray(plain.pixel(x, y)) >= 128) {
                (x >= 10 && x < letterRight ? extraInside : extraOutside)++;
                if (y >= letterTop)
                    ++extraLow;
            }
    EXPECT_GT(extraInside, 10); // the accent is there
    EXPECT_EQ(extraOutside, 0); // and not beside the letter
    EXPECT_EQ(extraLow, 0);     // and above the letter, not through it
}

// The grids draw the Greek font without text shaping: every text must come
// out pixel for pixel as shaped, in either weight, at the program's sizes,
// aligned as the cells align it; other families are left alone.
TEST_F(GreekFontTest, WithoutShapingTheGreekFontDrawsTheSamePixels)
{
    ASSERT_TRUE(s_loaded);
    const QStringList texts = {QStringLiteral("askouvmai me tiV levxeiV ta Ellhnikav"),
                               QStringLiteral("Ellhnikav AQHNA vaggivxe"),
                               QStringLiteral("qa evcw aggivxei"),
                               QStringLiteral("o, h, to; tou. (thV) 1 sg"),
                               QStringLiteral("v"),
                               QStringLiteral("fi fl ffi AV To Wa")};
    for (bool bold : {false, true}) {
        for (double points : {6.5, 9.0, 11.0, 12.0, 14.0, 22.0}) {
            QFont shaped(GreekFamily);
            shaped.setPointSizeF(points);
            shaped.setBold(bold);
            const QFont plain = CellDrawingFont(shaped);
            ASSERT_TRUE(plain.styleStrategy() & QFont::PreferNoShaping);
            for (const QString &text : texts) {
                for (int flags : {int(Qt::AlignLeft | Qt::AlignVCenter), int(Qt::AlignHCenter | Qt::AlignVCenter),
                                  int(Qt::AlignRight | Qt::AlignBottom)}) {
                    auto draw = [&](const QFont &font) {
                        QImage image(420, 48, QImage::Format_RGB32);
                        image.fill(Qt::white);
                        QPainter p(&image);
                        p.setFont(font);
                        p.setPen(Qt::black);
                        p.drawText(QRect(3, 2, 410, 40), flags, text);
                        return image;
                    };
                    EXPECT_EQ(draw(shaped), draw(plain)) << text.toStdString() << " " << points << " " << bold;
                }
            }
        }
    }
    const QFont other(QStringLiteral("DejaVu Sans"), 10);
    EXPECT_EQ(CellDrawingFont(other), other);
}
