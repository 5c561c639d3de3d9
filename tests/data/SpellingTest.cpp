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

// The words of Words (Unicode Greek) that the Greek spelling dictionary
// does not know; fails the test when hunspell cannot run.
QSet<QString> UnknownWords(const QStringList &Words)
{
    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), {"-d", "el_GR", "-l", "-i", "utf-8"});
    EXPECT_TRUE(hunspell.waitForStarted()) << "hunspell is not installed (packages hunspell, hunspell-el)";
    hunspell.write(Words.join('\n').toUtf8() + '\n');
    hunspell.closeWriteChannel();
    EXPECT_TRUE(hunspell.waitForFinished(120000));
    EXPECT_EQ(hunspell.exitCode(), 0) << QString::fromUtf8(hunspell.readAllStandardError()).toStdString();
    QSet<QString> unknown;
    for (const QString &w : QString::fromUtf8(hunspell.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        unknown.insert(w.trimmed());
    return unknown;
}

// The spellings of a word with a diaeresis on one of its i or u after a
// vowel (ευρωπαικός: ευρωπαϊκός; Μαίου: Μαΐου).
QStringList DiaeresisSpellings(const QString &word)
{
    static const QString vowels = QString::fromUtf8("αεοηυ");
    static const QString plain = QString::fromUtf8("ιίυύ");
    static const QString marked = QString::fromUtf8("ϊΐϋΰ");
    QStringList out;
    for (qsizetype i = 1; i < word.size(); ++i) {
        const qsizetype p = plain.indexOf(word.at(i));
        if (p >= 0 && vowels.contains(word.at(i - 1).toLower())) {
            QString spelt = word;
            spelt[i] = marked.at(p);
            out << spelt;
        }
    }
    return out;
}

} // namespace

TEST(Spelling, NoStoredFormNeedsADiaeresis)
{
    // The keys have no diaeresis: a word that needs one is stored misspelt.
    TestDb copy;
    DbQuery db(copy.Path());
    QMap<QString, QString> byUnicode; // Unicode spelling -> keys
    for (const QString &w : StoredWords(db))
        byUnicode.insert(QString::fromStdString(tav::inflect::ToUnicodeGreek(w.toStdString())), w);
    ASSERT_FALSE(byUnicode.isEmpty());
    QMap<QString, QString> spellings; // with a diaeresis -> keys
    for (const QString &w : UnknownWords(byUnicode.keys()))
        for (const QString &spelt : DiaeresisSpellings(w))
            spellings.insert(spelt, byUnicode.value(w, w));
    const QSet<QString> unknown = UnknownWords(spellings.keys());
    QStringList needing;
    for (auto it = spellings.begin(); it != spellings.end(); ++it)
        if (!unknown.contains(it.key()))
            needing << it.value() + " (" + it.key() + ")";
    EXPECT_TRUE(needing.isEmpty()) << needing.join(", ").toStdString();
}

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

    QStringList unknown;
    for (const QString &w : UnknownWords(byUnicode.keys()))
        unknown << byUnicode.value(w, w) + " (" + w + ")";
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
