#include "inflection/InflectionWriteBack.h"

#include "inflection/PanelState.h"
#include "platform/winsys/core/MsgBox.h"
#include "store/EditRefusal.h"
#include "store/GreekLetters.h"
#include "store/StoreQueries.h"

namespace tav {

namespace {

QString PersonColumn(int Row, const QString &voice)
{
    return Row <= 3 ? QStringLiteral("S%1%2").arg(Row).arg(voice) : QStringLiteral("P%1%2").arg(Row - 3).arg(voice);
}

} // namespace

FormCell MapInflectionCell(const QString &EditorTag, int Row, int Col, int WordKind, const QVariant &WordGenus,
                           const QString &Column5Table)
{
    if (Row < 1 || Row > 6)
        return {};
    if (EditorTag == QLatin1String("NewKona") || EditorTag == QLatin1String("NewKonp")) {
        const QString voice = EditorTag.right(1);
        if (Col >= 1 && Col <= 3)
            return {QStringLiteral("KonT%1").arg(Col), PersonColumn(Row, voice)};
        if (Col == 5)
            return {Column5Table, PersonColumn(Row, voice)};
        return {};
    }
    if (EditorTag == QLatin1String("Klino") || EditorTag == QLatin1String("KlinoMenos")) {
        QString gender;
        if (WordKind == KindAdjective || WordKind == KindVerb || EditorTag == QLatin1String("KlinoMenos")) {
            if (Col < 1 || Col > 3)
                return {};
            gender = QString(QLatin1Char("MFN"[Col - 1]));
        } else if (WordKind == KindNoun) {
            // Column 1 is the article's, composed from its own row.
            const int genus = WordGenus.isNull() ? -1 : WordGenus.toInt();
            if (Col != 2 || genus < 0 || genus > 2)
                return {};
            gender = QString(QLatin1Char("MFN"[genus]));
        } else {
            return {};
        }
        static const char *const cases[3] = {"Nom", "Ack", "Gen"};
        const QString number = Row <= 3 ? QStringLiteral("s") : QStringLiteral("p");
        return {EditorTag, number + gender + QLatin1String(cases[(Row - 1) % 3])};
    }
    if (EditorTag == QLatin1String("Imp")) {
        if (Col < 1 || Col > 4)
            return {};
        if (Row <= 2) {
            static const char *const forms[4] = {"SimpAct", "SimpPas", "ContAct", "ContPas"};
            return {QStringLiteral("IMPER"), (Row == 1 ? QStringLiteral("Si") : QStringLiteral("Pl")) + QLatin1String(forms[Col - 1])};
        }
        const QString person = (Row == 3 || Row == 5) ? QStringLiteral("S2") : QStringLiteral("P2");
        return {Col <= 2 ? QStringLiteral("KonT4") : QStringLiteral("KonT1"),
                person + ((Col == 1 || Col == 3) ? QStringLiteral("a") : QStringLiteral("p"))};
    }
    return {};
}

QString StoredForm(const QString &EditorTag, int Row, const QString &text)
{
    QString form = text.trimmed();
    if (EditorTag == QLatin1String("Imp") && Row >= 3) {
        // The particle as the user may type it: "na", "Na", "NA", "Mhn" ...
        for (const char *particle : {"na", "mhn", "mh"}) {
            const QLatin1String p(particle);
            if (form.compare(p, Qt::CaseInsensitive) == 0 ||
                (form.startsWith(p, Qt::CaseInsensitive) && form.size() > p.size() && form.at(p.size()).isSpace())) {
                form = form.mid(p.size()).trimmed();
                break;
            }
        }
    }
    return TidyGreekText(form);
}

QString FormEmptyQuestion()
{
    return QStringLiteral("The cell is empty: stored so, the word loses this form, and the search in inflected "
                          "forms no longer finds it.\nEmpty the stored form?");
}

bool CheckFormText(const QString &EditorTag, int Row, const QString &Text)
{
    if (Text.isEmpty())
        return true;
    // The whole text is checked (it may be pasted): the message names its
    // first character that is not a key.
    const QString refusal = GreekTextRefusal(Text);
    if (!refusal.isEmpty()) {
        winsys::MsgBox(refusal, winsys::vbCritical, winsys::AppTitle);
        return false;
    }
    return CheckFormLength(StoredForm(EditorTag, Row, Text).size());
}

bool CheckFormLength(qsizetype Length)
{
    if (Length <= MaxFormLength)
        return true;
    winsys::MsgBox(QStringLiteral("A form holds at most %1 characters.").arg(MaxFormLength), winsys::vbCritical,
                   winsys::AppTitle);
    return false;
}

} // namespace tav
