// What a Help page lists, read against the rule the program follows.

#include "platform/winsys/notice/Notice.h"
#include "store/GreekLetters.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

static std::string Sorted(QStringList items) { return (items.sort(), items.join(QLatin1Char('|')).toStdString()); }

// The matches of pattern (its groups joined by ": ") in a page, from the text
// from on to the text to.
static std::string PageSays(const char *page, const char *from, const char *to, const char *pattern)
{
    QFile file(QStringLiteral(TAV_HELP_SOURCE_DIR "/") + QLatin1String(page));
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).simplified() : QString();
    const qsizetype start = text.indexOf(QLatin1String(from));
    const QString part = start < 0 ? QString() : text.mid(start, text.indexOf(QLatin1String(to), start) - start);
    QStringList found;
    for (const auto &m : QRegularExpression(QString::fromUtf8(pattern)).globalMatch(part))
        found << m.capturedTexts().mid(1).join(QStringLiteral(": "));
    return Sorted(found);
}

TEST(HelpPages, WhatAPageListsIsWhatTheProgramDoes)
{
    // The final nu stays before each letter, and each pair whose first
    // letter alone does not keep it, that KeepsFinalN names.
    const QString keys = QStringLiteral("abgdezhqiklmnxoprstufcyw"), greek = QStringLiteral("αβγδεζηθικλμνξοπρστυφχψω");
    QStringList nu;
    for (int i = 0; i < keys.size(); ++i)
        for (int j = -1; j < keys.size(); ++j)
            if (tav::KeepsFinalN(keys[i] + keys.mid(j, j < 0 ? 0 : 1)) && (j < 0 || !tav::KeepsFinalN(keys[i])))
                nu << greek[i] + greek.mid(j, j < 0 ? 0 : 1);
    EXPECT_EQ(PageSays("grammar-panel.html", "a noun that begins with", "and drops it", "([\\x{0370}-\\x{03FF}]+)"),
              Sorted(nu));
    // Esc and the close box give SafeAnswer in each box the keyboard page lists.
    static const char *const answers[] = {"nothing", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    QStringList esc;
    for (const auto &[buttons, style] : std::initializer_list<std::pair<const char *, int>>{
             {"OK", winsys::vbOKOnly}, {"OK, Cancel", winsys::vbOKCancel}, {"Yes, No, Cancel", winsys::vbYesNoCancel},
             {"Yes, No", winsys::vbYesNo}, {"Abort, Retry, Ignore", winsys::vbAbortRetryIgnore},
             {"Yes, No: the store of wrong answers is full", winsys::vbYesNo | winsys::NoSafeAnswer}})
        esc << QLatin1String(buttons) + QStringLiteral(": ") + QLatin1String(answers[winsys::SafeAnswer(style)]);
    EXPECT_EQ(PageSays("keyboard.html", "<h2>In a question</h2>", "</table>",
                       "<tr><td>([^<]*)</td><td>[^<]*</td><td>([^<]*)</td></tr>"),
              Sorted(esc));
}
