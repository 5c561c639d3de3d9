#include "store/Settings.h"

#include "platform/dao/Dao.h"
#include "platform/winsys/notice/Notice.h"
#include "store/DbTransaction.h"
#include "store/MainWindowLink.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/ThirdLanguages.h"
#include "store/WindowRoutines.h"

#include <optional>

namespace tav {

namespace {

const QString English = QStringLiteral("English");

// "UPDATE Options  SET field  = " and the value's SQL text.
QString Statement(const QString &field, const QString &sqlValue)
{
    return QStringLiteral("UPDATE Options ") + QStringLiteral(" SET ") + field + QStringLiteral(" ") +
           QStringLiteral(" = ") + sqlValue;
}

QString NumberStatement(const QString &field, long long value) { return Statement(field, QString::number(value)); }

// The value goes in as a quoted literal: a quote in a language name cannot
// break the statement.
QString TextStatement(const QString &field, const QString &value) { return Statement(field, dao::SqlText(value)); }

QString BoolStatement(const QString &field, bool value)
{
    return Statement(field, value ? QStringLiteral("True") : QStringLiteral("False"));
}

// Runs the statements on the shared connection, all of them or none. On
// failure the notice names the file and the engine's cause.
Outcome WriteOptions(const QStringList &statements)
{
    try {
        dao::Database &db = OpenWordDb();
        DbTransaction transaction(db);
        for (const QString &statement : statements) {
            OptSql = statement;
            db.Execute(OptSql);
            if (db.RecordsAffected() < 1)
                throw dao::DaoError(dao::DaoError::NoCurrentRecord, QStringLiteral("The table Options has no row."));
        }
        transaction.Commit();
        return {};
    } catch (const dao::DaoError &e) {
        return {Notice{QStringLiteral("The setting could not be saved in ") + DbPath + QStringLiteral(".\n") +
                           e.Description() + QStringLiteral("\nThe setting keeps its stored value."),
                       winsys::vbCritical, winsys::AppTitle}};
    }
}

// The field's value in the file, read through the shared connection; nothing
// when even that fails.
std::optional<QVariant> StoredValue(const QString &field)
{
    try {
        dao::RecordsetPtr rs =
            OpenWordDb().OpenRecordset(QStringLiteral("SELECT ") + field + QStringLiteral(" FROM Options"),
                                  dao::RecordsetType::Snapshot);
        if (rs->RecordCount() < 1)
            return std::nullopt;
        QVariant value = rs->Field(0);
        rs->Close();
        return value;
    } catch (const dao::DaoError &) {
        return std::nullopt;
    }
}

void RestoreInt(int &variable, const QString &field)
{
    if (const auto v = StoredValue(field))
        variable = v->toInt();
}

void RestoreText(QString &variable, const QString &field)
{
    if (const auto v = StoredValue(field))
        variable = v->isNull() ? QString() : v->toString();
}

void RestoreBool(bool &variable, const QString &field)
{
    if (const auto v = StoredValue(field))
        variable = v->toLongLong() != 0;
}

// Writes one number or text setting from its variable; when the write fails
// the variable takes back the value in the file.
Outcome WriteNumber(int &variable, const QString &field)
{
    Outcome written = WriteOptions({NumberStatement(field, variable)});
    if (!written)
        RestoreInt(variable, field);
    return written;
}

Outcome WriteText(QString &variable, const QString &field)
{
    Outcome written = WriteOptions({TextStatement(field, variable)});
    if (!written)
        RestoreText(variable, field);
    return written;
}

QString ThirdLanguagePanel(const QString &language)
{
    return QStringLiteral("3:rd language= ") + language + QStringLiteral("  ");
}

} // namespace

QString ThirdLanguagePanelText()
{
    return OptBoHide3 ? QStringLiteral("3:rd language deselected") : ThirdLanguagePanel(Opt3rdLang);
}

QString CheckAllPanelText()
{
    return QStringLiteral("Tavrinel CheckAll ") + (OptBoChecka ? QStringLiteral("True") : QStringLiteral("False")) +
           QStringLiteral("  ");
}

QString WrongAnswersPanelText(const QString &Wrongs)
{
    return QStringLiteral("M/A ") + QString::number(OptNbrWrongs) + QLatin1Char('/') + Wrongs + QStringLiteral("  ");
}

Outcome SaveBoChecka(bool value)
{
    OptBoChecka = value;
    Outcome written = WriteOptions({BoolStatement(QStringLiteral("BoChecka"), value)});
    if (!written) {
        RestoreBool(OptBoChecka, QStringLiteral("BoChecka"));
        return written;
    }
    Link().SetPanelText(4, CheckAllPanelText());
    return written;
}

Outcome SaveNbrRepeats() { return WriteNumber(OptNbrRepeats, QStringLiteral("nbrRepeats")); }

Outcome SaveNbrWrongs() { return WriteNumber(OptNbrWrongs, QStringLiteral("nbrWrongs")); }

Outcome SaveNbrScribble() { return WriteNumber(OptNbrScribble, QStringLiteral("nbrScribble")); }

ThirdLanguageSaved Save3rdLang(const QString &language)
{
    // The new strings are built and tried before anything is written: a
    // language whose tables are missing would leave a program that cannot
    // start, so it is refused and everything stays as it was.
    try {
        if (language.trimmed().isEmpty())
            throw dao::DaoError(dao::DaoError::ItemNotFound, QStringLiteral("The language has no name."));
        CheckThirdLanguageSql(MakeThirdLanguageSql(language));
    } catch (const dao::DaoError &e) {
        return {{Notice{QStringLiteral("The ") + language + QStringLiteral(" language can not be selected:\n") +
                            e.Description() + QStringLiteral("\nThe 3:rd language stays ") + Opt3rdLang +
                            QLatin1Char('.'),
                        winsys::vbCritical, winsys::AppTitle}},
                std::nullopt};
    }
    const QString previous = Opt3rdLang;
    Opt3rdLang = language;
    QStringList statements{TextStatement(QStringLiteral("3rdLang"), Opt3rdLang)};
    // The exercises must never ask or answer in a language that has no table
    // any more: a second language that is no longer the third goes back to
    // English, in the same write.
    if (Opt2ndScribble != English && Opt2ndScribble != language) {
        Opt2ndScribble = English;
        statements.append(TextStatement(QStringLiteral("2ndScribble"), Opt2ndScribble));
    }
    if (Opt2ndTavrinel != English && Opt2ndTavrinel != language) {
        Opt2ndTavrinel = English;
        statements.append(TextStatement(QStringLiteral("2ndTavrinel"), Opt2ndTavrinel));
    }
    ThirdLanguageSaved saved{WriteOptions(statements), std::nullopt};
    if (!saved) {
        RestoreText(Opt3rdLang, QStringLiteral("3rdLang"));
        RestoreText(Opt2ndScribble, QStringLiteral("2ndScribble"));
        RestoreText(Opt2ndTavrinel, QStringLiteral("2ndTavrinel"));
        return saved;
    }
    BuildSqlStrings();
    Link().SetPanelText(6, ThirdLanguagePanelText());
    // A list made for the former language shows its meanings and would store
    // an edit of them in the new language's table: it is closed, and the
    // outcome says which.
    if (previous != language) {
        const QStringList closed =
            CloseListsReading({LanguageWordTable(previous), LanguageIndexTable(previous)});
        if (!closed.isEmpty())
            saved.ListsClosed = Notice{QStringLiteral("The third language is now ") + language +
                                           QStringLiteral(": the lists that showed the ") + previous +
                                           QStringLiteral(" meanings were closed.\r\n") +
                                           closed.join(QStringLiteral("\r\n")),
                                       winsys::vbInformation, winsys::AppTitle};
    }
    return saved;
}

Outcome SaveBoHide3(bool hide)
{
    OptBoHide3 = hide;
    Outcome written = WriteOptions({BoolStatement(QStringLiteral("boHide3"), hide)});
    if (!written) {
        RestoreBool(OptBoHide3, QStringLiteral("boHide3"));
        return written;
    }
    Link().JulGran();
    Link().SetPanelText(6, ThirdLanguagePanelText());
    return written;
}

Outcome Save2ndScribble()
{
    Outcome written = WriteText(Opt2ndScribble, QStringLiteral("2ndScribble"));
    if (written)
        BuildSqlStrings();
    return written;
}

Outcome Save2ndTavrinel()
{
    Outcome written = WriteText(Opt2ndTavrinel, QStringLiteral("2ndTavrinel"));
    if (written)
        BuildSqlStrings();
    return written;
}

} // namespace tav
