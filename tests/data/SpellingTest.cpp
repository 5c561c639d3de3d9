// Every stored Greek form, converted to Unicode Greek, checked against
// Debian's Greek spelling dictionary (hunspell, el_GR).

#include "DbQuery.h"
#include "support/TestDb.h"

#include "GreekUnicode.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <iostream>

using tavtest::DbQuery;
using tavtest::TestDb;

namespace {

// data/spelling-exceptions.txt: form (Latin keys) TAB reason.
QMap<QString, QString> Exceptions()
{
    QMap<QString, QString> out;
    QFile file(QStringLiteral(TAV_SOURCE_DIR "/data/spelling-exceptions.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        out.insert(line.section('\t', 0, 0).trimmed(), line.section('\t', 1).trimmed());
    }
    return out;
}

// The words of every form of the inflection tables and every headword;
// the stems PS, AAS, PAS are no words and the article row is no word of Main.
QSet<QString> StoredWords(const DbQuery &db)
{
    QSet<QString> words;
    const auto add = [&](const QString &text) {
        for (const QString &w : text.split(' ', Qt::SkipEmptyParts))
            words.insert(w);
    };
    for (const char *table : {"KonT1", "KonT2", "KonT3", "KonT4", "Klino", "KlinoMenos", "IMPER"}) {
        QStringList cols = db.Fields(table);
        for (const char *fixed : {"ID", "WT", "Greek", "Sal"})
            cols.removeAll(fixed);
        for (const auto &row : db.Rows(QStringLiteral("SELECT %1 FROM %2 WHERE ID <> 99999").arg(cols.join(','), table)))
            for (const auto &v : row)
                add(v.toString());
    }
    for (const auto &v : db.Column("SELECT Greek FROM Main"))
        add(v.toString());
    return words;
}

} // namespace

TEST(Spelling, ExceptionsGiveAReason)
{
    const auto exceptions = Exceptions();
    for (auto it = exceptions.begin(); it != exceptions.end(); ++it)
        EXPECT_FALSE(it.value().isEmpty()) << it.key().toStdString();
}

TEST(Spelling, StoredFormsAreKnownGreekWords)
{
    TestDb copy;
    DbQuery db(copy.Path());
    const QSet<QString> words = StoredWords(db);
    ASSERT_FALSE(words.isEmpty());
    const auto exceptions = Exceptions();

    QMap<QString, QString> byUnicode; // Unicode spelling -> keys
    for (const QString &w : words)
        if (!exceptions.contains(w))
            byUnicode.insert(QString::fromStdString(tav::inflect::ToUnicodeGreek(w.toStdString())), w);

    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), {"-d", "el_GR", "-l", "-i", "utf-8"});
    ASSERT_TRUE(hunspell.waitForStarted()) << "hunspell is not installed (packages hunspell, hunspell-el)";
    hunspell.write(QStringList(byUnicode.keys()).join('\n').toUtf8() + '\n');
    hunspell.closeWriteChannel();
    ASSERT_TRUE(hunspell.waitForFinished(120000));
    const QString errors = QString::fromUtf8(hunspell.readAllStandardError());
    ASSERT_EQ(hunspell.exitCode(), 0) << errors.toStdString();

    QStringList unknown;
    for (const QString &w : QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        unknown << byUnicode.value(w.trimmed(), w.trimmed()) + " (" + w.trimmed() + ")";
    unknown.removeDuplicates();
    const double checked = byUnicode.size();
    const double share = 100.0 * (checked - unknown.size()) / checked;
    std::cout << "Spelling: " << byUnicode.size() << " distinct words checked, " << unknown.size()
              << " unknown, " << QString::number(share, 'f', 2).toStdString() << "% known ("
              << exceptions.size() << " listed exceptions)\n";
    if (!unknown.isEmpty())
        std::cout << "Unknown: " << unknown.join(", ").toStdString() << "\n";
    ::testing::Test::RecordProperty("KnownShare", QString::number(share, 'f', 2).toStdString());
    EXPECT_GE(share, 97.0) << "unknown: " << unknown.join(", ").toStdString();
}
