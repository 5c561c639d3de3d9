#include "inflection/FormLabels.h"

#include "platform/flexgrid/FlexGrid.h"
#include "store/StoreQueries.h"

#include <QHash>

#include <optional>

namespace tav {

using flexgrid::FlexGrid;

namespace {

// A field of the word's Main row, read once per word for the whole grid;
// nothing for a word that is not there.
class MainFields {
public:
    explicit MainFields(const QString &field) : m_field(field) {}

    std::optional<QString> operator()(const QString &idText)
    {
        bool ok = false;
        const long long id = idText.trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        const auto known = m_values.constFind(id);
        if (known != m_values.constEnd())
            return *known;
        const std::optional<QString> value = FindMainField(id, m_field);
        m_values.insert(id, value);
        return value;
    }

private:
    QString m_field;
    QHash<long long, std::optional<QString>> m_values;
};

QString ConjugationLabel(const QString &code)
{
    static const QString persons[3] = {QStringLiteral("1:st pers."), QStringLiteral("2:nd pers."),
                                       QStringLiteral("3:rd pers.")};
    const QChar person = code.size() > 1 ? code.at(1) : QChar();
    QString label = person >= QLatin1Char('1') && person <= QLatin1Char('3') ? persons[person.digitValue() - 1] : QString();
    label += code.startsWith(QLatin1Char('S')) ? QStringLiteral(", singular") : QStringLiteral(", plural");
    label += code.endsWith(QLatin1Char('a')) ? QStringLiteral(", active") : QStringLiteral(", passive");
    return label;
}

QString DeclensionLabel(const QString &code)
{
    const QChar gender = code.size() > 1 ? code.at(1) : QChar();
    QString label = gender == QLatin1Char('M')   ? QStringLiteral("Masc.")
                    : gender == QLatin1Char('F') ? QStringLiteral("Fem.")
                    : gender == QLatin1Char('N') ? QStringLiteral("Neut.")
                                                 : QString();
    label += code.startsWith(QLatin1Char('s')) ? QStringLiteral(", singular") : QStringLiteral(", plural");
    label += code.endsWith(QLatin1Char('m'))   ? QStringLiteral(", nominative")
             : code.endsWith(QLatin1Char('k')) ? QStringLiteral(", accusative")
                                               : QStringLiteral(", genitive");
    return label;
}

} // namespace

void FillFormLabels(FlexGrid &Grid, int CodeCol)
{
    static const QHash<QString, QString> tenses{{QStringLiteral("KonT1"), QStringLiteral("Present")},
                                                {QStringLiteral("KonT2"), QStringLiteral("Simple past")},
                                                {QStringLiteral("KonT3"), QStringLiteral("Past")},
                                                {QStringLiteral("KonT4"), QStringLiteral("Aorist. Subjunctive")}};
    static const QHash<QString, QString> stems{{QStringLiteral("PS"), QStringLiteral("Present stem")},
                                               {QStringLiteral("AAS"), QStringLiteral("Active aorist stem")},
                                               {QStringLiteral("PAS"), QStringLiteral("Passive aorist stem")}};
    MainFields wordType(QStringLiteral("WT"));
    const int rows = Grid.Rows();
    for (int r = 1; r < rows; ++r) {
        const QString table = Grid.TextMatrix(r, 0);
        const QString code = Grid.TextMatrix(r, CodeCol);
        if (table.startsWith(QLatin1String("KonT"))) {
            Grid.SetTextMatrix(r, CodeCol, ConjugationLabel(code));
            Grid.SetTextMatrix(r, 0, tenses.value(table, table));
        } else if (table == QLatin1String("Main")) {
            if (stems.contains(code))
                Grid.SetTextMatrix(r, CodeCol, stems.value(code));
        } else if (table.startsWith(QLatin1String("Klino"))) {
            if (const std::optional<QString> wt = wordType(Grid.TextMatrix(r, 1))) {
                if (wt->startsWith(QLatin1Char('a'), Qt::CaseInsensitive))
                    Grid.SetTextMatrix(r, 0, QStringLiteral("Noun"));
                else if (wt->startsWith(QLatin1Char('b'), Qt::CaseInsensitive))
                    Grid.SetTextMatrix(r, 0, QStringLiteral("Adjective"));
                else if (wt->startsWith(QLatin1Char('c'), Qt::CaseInsensitive))
                    Grid.SetTextMatrix(r, 0, QStringLiteral("Passive participle"));
            }
            Grid.SetTextMatrix(r, CodeCol, DeclensionLabel(code));
        }
    }
}

void AddEnglishColumn(FlexGrid &Grid, int IDCol)
{
    Grid.SetCols(Grid.Cols() + 1);
    const int col = Grid.Cols() - 1;
    MainFields english(QStringLiteral("English"));
    for (int r = 1; r < Grid.Rows(); ++r)
        Grid.SetTextMatrix(r, col, english(Grid.TextMatrix(r, IDCol)).value_or(QString()));
}

void MarkGroupRows(FlexGrid &Grid, int Col)
{
    if (Grid.Rows() < 2)
        return;
    QString group = Grid.TextMatrix(1, Col);
    for (int r = 2; r < Grid.Rows(); ++r) {
        const QString text = Grid.TextMatrix(r, Col);
        if (text == group)
            continue;
        Grid.SetRangeBackColor(r, 0, r, Grid.Cols() - 1, GroupShade);
        if (r + 1 < Grid.Rows() && Grid.TextMatrix(r + 1, Col) != text)
            group = Grid.TextMatrix(r + 1, Col);
    }
}

} // namespace tav
