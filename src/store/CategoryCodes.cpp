#include "store/CategoryCodes.h"

#include "store/SharedState.h"

namespace tav {

namespace {

struct Category {
    const char *code;
    const char *longText;
    const char *shortText;
};

// The first conjugation's texts have no blank before "conjugation": that is
// how the tree and the list captions show them.
const Category categories[] = {
    {"GRW", "Greek words", "Greek words"},
    {"GRR", "Greek verbs", "Verbs"},
    {"GRRHaux", "Greek auxiliary verbs", "Auxiliary"},
    {"GRRHact", "Greek active verbs", "Active"},
    {"GRRHpas", "Greek passive verbs", "Passive"},
    {"GRRACTome", "Greek active verbs, first \"omega\"conjugation", "First \"omega\"conjugation"},
    {"GRRACTvoc", "Greek active verbs, vocal stem conjugation", "Vocal stem conjugation"},
    {"GRRACTass", "Greek active verbs, 2:1 \"as\" conjugation", "2:1 \"as\" conjugation"},
    {"GRRACTeis", "Greek active verbs, 2:2 \"eis\" conjugation", "2:2 \"eis\" conjugation"},
    {"GRRPASoma", "Greek passive verbs \"omai\" conjugation", "\"omai\" conjugation"},
    {"GRRPASama", "Greek passive verbs \"amai\" conjugation", "\"amai\" conjugation"},
    {"GRRPASiem", "Greek passive verbs \"iemai\" conjugation", "\"iemai\" conjugation"},
    {"GRRPASoum", "Greek passive verbs \"oumai\" conjugation", "\"oumai\" conjugation"},
    {"GRRPASema", "Greek passive verbs \"emai\" conjugation", "\"emai\" conjugation"},
    {"GRN", "Greek nouns", "Nouns"},
    {"GRNmas", "Greek masculine nouns", "Masculine"},
    {"GRNfem", "Greek feminine nouns", "Feminine"},
    {"GRNneu", "Greek neuter nouns", "Neuter"},
    {"GRA", "Greek adjective", "Adjectives"},
    {"GBW", "English words", "English words"},
};

const Category *Find(const QString &code)
{
    for (const Category &c : categories)
        if (code == QLatin1String(c.code))
            return &c;
    return nullptr;
}

} // namespace

QString CategoryText(const QString &code)
{
    if (code == QLatin1String("XXW"))
        return Opt3rdLang + QStringLiteral(" words");
    const Category *c = Find(code);
    return c ? QString::fromUtf8(c->longText) : QString();
}

QString CategoryShortText(const QString &code)
{
    if (code == QLatin1String("XXW"))
        return Opt3rdLang + QStringLiteral(" words");
    const Category *c = Find(code);
    return c ? QString::fromUtf8(c->shortText) : QString();
}

} // namespace tav
