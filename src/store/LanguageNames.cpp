#include "store/ThirdLanguages.h"

#include "platform/winsys/notice/Notice.h"
#include "store/CategoryTree.h"
#include "store/SharedState.h"

// The rules for the names of third languages; no database access.

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');
const QString English = QStringLiteral("English");

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Letters of the Latin alphabet, accented ones too, with the combining
// marks written after a letter; nothing else (no other script, blank, digit
// or sign).
bool LatinLettersOnly(const QString &L)
{
    bool first = true;
    for (const char32_t c : L.toUcs4()) {
        const bool latin = QChar::isLetter(c) && QChar::script(c) == QChar::Script_Latin;
        const bool mark = QChar::category(c) == QChar::Mark_NonSpacing ||
                          QChar::category(c) == QChar::Mark_SpacingCombining;
        if (!latin && !(mark && !first))
            return false;
        first = false;
    }
    return !first;
}

int LetterCount(const QString &L)
{
    int n = 0;
    for (const char32_t c : L.toUcs4())
        if (QChar::isLetter(c))
            ++n;
    return n;
}

// A typed name as a message quotes it: a long one cut short, so that no
// message is wider than the screen.
QString Quoted(const QString &L)
{
    constexpr int shown = 30;
    return Q + (L.size() > shown + 10 ? L.left(shown) + QChar(0x2026) : L) + Q;
}

} // namespace

QString LanguageWordTable(const QString &L) { return QStringLiteral("Greek") + L; }

QString LanguageIndexTable(const QString &L) { return QStringLiteral("All") + L + QStringLiteral("Greek"); }

QString LanguageNameRefusal(const QString &L)
{
    if (L.trimmed().isEmpty())
        return QStringLiteral("Please type the name of the language.");
    if (SameName(L, English))
        return QStringLiteral("English is always there and can not be added as a 3:rd language.");
    if (!LatinLettersOnly(L))
        return QStringLiteral("The name ") + Quoted(L) +
               QStringLiteral(" can not be used: a language name is one word of letters of the Latin alphabet\n"
                              "(accented letters such as \"å\" or \"é\" too), without blanks, digits, quotes or "
                              "other signs.");
    if (LetterCount(L) > MaxLanguageNameLetters)
        return QStringLiteral("The name ") + Quoted(L) + QStringLiteral(" is too long: a language name has at most ") +
               QString::number(MaxLanguageNameLetters) + QStringLiteral(" letters.");
    for (const QString &key : CategoryTreeKeys())
        if (SameName(L, key))
            return QStringLiteral("The name ") + Quoted(L) +
                   QStringLiteral(" is used by the word tree and can not be a language name.");
    if (SameName(L, AddLangPrompt) || SameName(L, WelcomePrompt))
        return QStringLiteral("Please type the name of the language in place of ") + Quoted(L) + QLatin1Char('.');
    return QString();
}

QString ExistingLanguageMessage(const QString &L)
{
    return QStringLiteral("The ") + L + QStringLiteral(" language is already present,\nand will not be added.\n") +
           QStringLiteral("All other option changes, if any, will be made effective!");
}

QString DeleteLanguageRefusal(const QString &L)
{
    if (L.trimmed().isEmpty() || SameName(L, English))
        return QStringLiteral("The English tables can not be deleted.");
    if (SameName(L, BuiltInLanguage))
        return QStringLiteral("The ") + BuiltInLanguage + QStringLiteral(" language comes with ") + winsys::AppTitle +
               QStringLiteral(" and can not be deleted.");
    if (SameName(L, Opt3rdLang))
        return QStringLiteral("You can Not delete a user added language that is in use as 3:rd language!\n"
                              "If you like to delete it, You must first select another 3:rd language from the left "
                              "list!");
    return QString();
}

} // namespace tav
