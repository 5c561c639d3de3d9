// The papers offered for a print queue that names one size more than once.
#include "platform/printer/QtPrinterDevice.h"

#include <gtest/gtest.h>

using printer::OnePaperPerCode;
using printer::QueuePaper;

namespace {

QStringList keysOf(const QVector<QueuePaper> &papers, const QVector<int> &chosen)
{
    QStringList keys;
    for (int i : chosen)
        keys << papers[i].key;
    return keys;
}

} // namespace

TEST(QueuePapersTest, EachSizeIsOfferedOnceUnderTheNameUsersKnow)
{
    // As a PDF queue lists them: ANSI names before the usual ones, several
    // names for 11 by 17 inches, sizes without a code of their own.
    const QVector<QueuePaper> queue = {
        {QStringLiteral("11x17"), 17}, {QStringLiteral("A4"), 9},       {QStringLiteral("A5"), 11},
        {QStringLiteral("AnsiA"), 1},  {QStringLiteral("AnsiB"), 17},   {QStringLiteral("Custom.A"), 256},
        {QStringLiteral("Legal"), 5},  {QStringLiteral("Letter"), 1},   {QStringLiteral("SRA4"), 256},
        {QStringLiteral("Tabloid"), 3},
    };
    const struct {
        const char *defaultKey;
        QStringList offered;
    } cases[] = {
        {"", {"11x17", "A4", "A5", "Letter", "Custom.A", "Legal", "Tabloid"}},
        {"Letter", {"11x17", "A4", "A5", "Letter", "Custom.A", "Legal", "Tabloid"}},
        // A default of another name stands for its size where no usual name does.
        {"AnsiB", {"AnsiB", "A4", "A5", "Letter", "Custom.A", "Legal", "Tabloid"}},
        {"SRA4", {"11x17", "A4", "A5", "Letter", "SRA4", "Legal", "Tabloid"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.defaultKey);
        EXPECT_EQ(keysOf(queue, OnePaperPerCode(queue, QString::fromLatin1(c.defaultKey))), c.offered);
    }
}

TEST(QueuePapersTest, AFileOffersItsPapersUnderTheNamesUsersKnow)
{
    const printer::QtPrinterDevice pdf;
    QStringList names;
    for (const printer::PaperDesc &paper : pdf.Papers())
        names << paper.name;
    for (const char *known : {"Letter", "Legal", "A4", "A5", "Tabloid", "Ledger"})
        EXPECT_TRUE(names.contains(QLatin1String(known))) << known << ": " << names.join(QStringLiteral(", ")).toStdString();
    for (const QString &name : names)
        EXPECT_FALSE(name.contains(QLatin1String("ANSI"))) << name.toStdString();
}

// A paper goes by one name whoever offers it: a queue's "US Letter" and a
// file's "Letter / ANSI A" are both "Letter"; a size of the queue's own
// keeps the queue's name.
TEST(QueuePapersTest, APaperGoesByOneNameWhoeverOffersIt)
{
    const struct {
        QPageSize size;
        const char *name;
    } cases[] = {
        {QPageSize(QPageSize::Letter), "Letter"},
        {QPageSize(QSizeF(612, 792), QPageSize::Point, QStringLiteral("US Letter")), "Letter"},
        {QPageSize(QPageSize::Legal), "Legal"},
        {QPageSize(QSizeF(612, 1008), QPageSize::Point, QStringLiteral("US Legal")), "Legal"},
        {QPageSize(QPageSize::ExecutiveStandard), "Executive"},
        {QPageSize(QSizeF(522, 756), QPageSize::Point, QStringLiteral("Executive")), "Executive"},
        {QPageSize(QPageSize::A5), "A5"},
        {QPageSize(QSizeF(300, 400), QPageSize::Point, QStringLiteral("Index card")), "Index card"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(printer::PaperName(c.size), QLatin1String(c.name)) << c.size.name().toStdString();
    // A file's papers by the same names, Executive among them.
    const printer::QtPrinterDevice pdf;
    QStringList names;
    for (const printer::PaperDesc &paper : pdf.Papers())
        names << paper.name;
    EXPECT_TRUE(names.contains(QLatin1String("Executive"))) << names.join(QStringLiteral(", ")).toStdString();
    for (const QString &n : names)
        EXPECT_FALSE(n.contains(QLatin1Char('('))) << n.toStdString();
}
