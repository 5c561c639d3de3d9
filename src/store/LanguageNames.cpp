#include "store/ThirdLanguages.h"

#include "platform/winsys/core/MsgBox.h"
#include "store/CategoryTree.h"
#include "store/SharedState.h"

// The rules for the names of third languages; no database access.

namespace tav {

namespace {

const QChar Q = QLatin1Char('"');
const QString English = QStringLiteral("English");

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Letters of any alphabet, with the combining marks some alphabets write
// after a letter; nothing else.
bool LettersOnly(const QString &L)
{
    if (L.isEmpty())
        return false;
    bool first = true;
    for (const char32_t c : L.toUcs4()) {
        const bool letter = QChar::isLetter(c);
        const bool mark = QChar::category(c) == QChar::Mark_NonSpacing ||
                          QChar::category(c) == QChar::Mark_SpacingCombining;
        if (!letter && !(mark && !first))
            return false;
        first = false;
    }
    return true;
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
    if (!LettersOnly(L))
        return QStringLiteral("The name ") + Q + L + Q +
               QStringLiteral(" can not be used: a language name is one word of letters only,\n"
                              "without blanks, digits, quotes or other signs.");
    for (const QString &key : CategoryTreeKeys())
        if (SameName(L, key))
            return QStringLiteral("The name ") + Q + L + Q +
                   QStringLiteral(" is used by the word tree and can not be a language name.");
    if (SameName(L, AddLangPrompt) || SameName(L, WelcomePrompt))
        return QStringLiteral("Please type the name of the language in place of ") + Q + L + Q + QLatin1Char('.');
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
