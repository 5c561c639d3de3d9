// Conjugation rules: present, past tenses, subjunctive and imperatives.

#include "Inflection.h"
#include "Syllables.h"

namespace tav::inflect {

namespace {

Six Join(const std::string &stem, const std::array<const char *, 6> &endings)
{
    Six out;
    for (size_t k = 0; k < 6; ++k)
        out[k] = DropMonosyllableMark(stem + endings[k]);
    return out;
}

// True when firstPerson ends in a stressed vowel + w (akouvw, favw, levw);
// an unstressed one is a one-syllable form with a glide (piw).
bool IsVowelStem(const std::string &firstPerson)
{
    if (!EndsWith(firstPerson, "vw"))
        return false;
    const std::string stem = DropLast(firstPerson, 2);
    return !stem.empty() && IsVowel(stem.back());
}

// Endings of a vowel stem: akouvw akouvV akouvei akouvme akouvte akouvn;
// a one-syllable stem takes -ne in the third plural (levne).
Six VowelStemForms(const std::string &stem)
{
    const bool shortStem = SyllableCount(stem) <= 1;
    return Join(stem, {"w", "V", "ei", "me", "te", shortStem ? "ne" : "n"});
}

// The subjunctive kinds: ordinary (gravyw), stressed ending (graftwv, pw),
// vowel stem (favw).
enum class SubjKind { Ordinary, EndStressed, VowelStem, None };

SubjKind KindOf(const std::string &firstPerson)
{
    if (firstPerson.empty())
        return SubjKind::None;
    if (EndsWith(firstPerson, "wv"))
        return SubjKind::EndStressed;
    if (!EndsWith(firstPerson, "w"))
        return SubjKind::None;
    if (IsVowelStem(firstPerson))
        return SubjKind::VowelStem;
    if (SyllableCount(firstPerson) <= 1)
        return SubjKind::EndStressed;
    return SubjKind::Ordinary;
}

std::string EndStressedStem(const std::string &firstPerson)
{
    return Unstressed(DropLast(firstPerson, EndsWith(firstPerson, "wv") ? 2 : 1));
}

} // namespace

bool IsEmpty(const Six &forms)
{
    for (const auto &f : forms)
        if (!f.empty())
            return false;
    return true;
}

Six PresentActive(const std::string &wt, const std::string &headword)
{
    if (wt == "c1" || wt == "cA") {
        if (!EndsWith(headword, "w") || EndsWith(headword, "wv"))
            throw InflectError("a " + wt + " verb ends in an unstressed -w: " + headword);
        return Join(DropLast(headword, 1), {"w", "eiV", "ei", "oume", "ete", "oun"});
    }
    if (wt == "cv") {
        if (!IsVowelStem(headword))
            throw InflectError("a cv verb ends in a vowel and -w: " + headword);
        return VowelStemForms(DropLast(headword, 1));
    }
    if (wt == "c2") {
        std::string stem;
        if (EndsWith(headword, "avw"))
            stem = DropLast(headword, 3);
        else if (EndsWith(headword, "wv"))
            stem = DropLast(headword, 2);
        else
            throw InflectError("a c2 verb ends in -avw or -wv: " + headword);
        return Join(Unstressed(stem), {"avw", "avV", "avei", "avme", "avte", "ouvn"});
    }
    if (wt == "c3") {
        // mporwv, or a one-syllable zw
        if (!EndsWith(headword, "wv") && !(EndsWith(headword, "w") && SyllableCount(headword) == 1))
            throw InflectError("a c3 verb ends in -wv: " + headword);
        return Join(Unstressed(DropLast(headword, EndsWith(headword, "wv") ? 2 : 1)),
                    {"wv", "eivV", "eiv", "ouvme", "eivte", "ouvn"});
    }
    throw InflectError("no active present for class " + wt);
}

Six PresentPassive(const std::string &firstPerson)
{
    const std::string &w = firstPerson;
    if (EndsWith(w, "ouvmai"))
        return Join(DropLast(w, 6), {"ouvmai", "eivsai", "eivtai", "ouvmaste", "eivste", "ouvntai"});
    if (EndsWith(w, "avmai"))
        return Join(DropLast(w, 5), {"avmai", "avsai", "avtai", "ovmaste", "avste", "ouvntai"});
    if (EndsWith(w, "evmai"))
        return Join(DropLast(w, 5), {"evmai", "evsai", "evtai", "ovmaste", "evste", "ouvntai"});
    if (EndsWith(w, "omai") && !EndsWith(w, "eivmai")) {
        const std::string stem = DropLast(w, 4);
        if (StressIndex(stem) < 0)
            throw InflectError("a present in -omai is stressed on its stem: " + w);
        Six out = Join(stem, {"omai", "esai", "etai", "", "este", "ontai"});
        out[3] = Unstressed(stem) + "ovmaste";
        return out;
    }
    return Six{};
}

Six PastTense(const std::string &firstPerson, const std::string &reference)
{
    if (firstPerson.empty())
        return Six{};
    if (!EndsWith(firstPerson, "a") || (StressIndex(firstPerson) < 0 && SyllableCount(firstPerson) > 1))
        throw InflectError("a past tense's first person ends in -a and carries its stress: " + firstPerson);
    const std::string base = DropLast(firstPerson, 1);
    std::string plain = Unstressed(base);
    const bool augment = StartsWith(firstPerson, "ev") && firstPerson.size() > 2 && !IsVowel(firstPerson[2]) &&
                         !reference.empty() && !StartsWith(Unstressed(reference), "e");
    if (augment)
        plain.erase(0, 1);
    Six out;
    out[0] = firstPerson;
    out[1] = base + "eV";
    out[2] = base + "e";
    out[3] = StressFromEnd(plain + "ame", 3);
    out[4] = StressFromEnd(plain + "ate", 3);
    out[5] = base + "an";
    return out;
}

Six PassiveImperfect(const std::string &firstPerson, bool stressedThirdPlural)
{
    const std::string &w = firstPerson;
    if (EndsWith(w, "ouvmoun"))
        return Join(DropLast(w, 7), {"ouvmoun", "ouvsoun", "ouvntan", "ouvmastan", "ouvsastan", "ouvntan"});
    if (EndsWith(w, "ovmoun")) {
        const std::string stem = DropLast(w, 6);
        Six out = Join(stem, {"ovmoun", "ovsoun", "ovtan", "ovmastan", "ovsastan", "ovntan"});
        if (!stressedThirdPlural && !EndsWith(stem, "i"))
            out[5] = StressFromEnd(stem + "ontan", 3);
        return out;
    }
    return Six{};
}

Six Subjunctive(const std::string &firstPerson)
{
    switch (KindOf(firstPerson)) {
    case SubjKind::Ordinary:
        return Join(DropLast(firstPerson, 1), {"w", "eiV", "ei", "oume", "ete", "oun"});
    case SubjKind::EndStressed:
        return Join(EndStressedStem(firstPerson), {"wv", "eivV", "eiv", "ouvme", "eivte", "ouvn"});
    case SubjKind::VowelStem:
        return VowelStemForms(DropLast(firstPerson, 1));
    case SubjKind::None:
        break;
    }
    if (!firstPerson.empty())
        throw InflectError("a subjunctive's first person ends in -w: " + firstPerson);
    return Six{};
}

std::string PresentStem(const std::string &wt, const std::string &headword)
{
    if (wt == "c2")
        return EndsWith(headword, "avw") ? DropLast(headword, 3) : DropLast(headword, 2);
    if (wt == "c3")
        return DropLast(headword, EndsWith(headword, "wv") ? 2 : 1);
    if (wt.rfind("cp", 0) == 0) {
        for (const char *ending : {"ouvmai", "ievmai", "avmai", "evmai", "omai"})
            if (EndsWith(headword, ending))
                return DropLast(headword, std::string(ending).size());
        return std::string();
    }
    return EndsWith(headword, "w") ? DropLast(headword, 1) : std::string();
}

std::string SubjunctiveStem(const std::string &firstPerson)
{
    if (firstPerson.empty())
        return std::string();
    return DropLast(firstPerson, EndsWith(firstPerson, "wv") ? 2 : 1);
}

namespace {

// The aorist imperative of the passive: the subjunctive stem with its
// passive marker turned back into the aorist consonant, + ou (graft ->
// gravyou, koimhq -> koimhvsou, dect -> devxou).
std::string PassiveAoristImperative(const std::string &passiveSubjunctive)
{
    if (!EndsWith(passiveSubjunctive, "wv"))
        return std::string();
    std::string stem = Unstressed(DropLast(passiveSubjunctive, 2));
    struct Swap { const char *from; const char *to; };
    static const Swap swaps[] = {{"ft", "y"}, {"pt", "y"}, {"fq", "y"}, {"ct", "x"}, {"kt", "x"},
                                 {"cq", "x"}, {"sq", "s"}, {"st", "s"}, {"q", "s"}};
    for (const auto &s : swaps) {
        if (EndsWith(stem, s.from)) {
            stem = DropLast(stem, std::string(s.from).size()) + s.to;
            return StressFromEnd(stem + "ou", 2);
        }
    }
    return std::string();
}

// True when a past form in -a has the stem of the unaugmented form in -w
// (sxedivasa / sxediavsw): it carries no augment, neither at its start
// (evgraya / gravyw) nor inside a prefixed verb (epevstreya / epistrevyw,
// anevfera / anafevrw), so its stress is the imperative's own.
bool SameStem(const std::string &past, const std::string &reference)
{
    if (!EndsWith(past, "a") || !EndsWith(reference, "w") || EndsWith(reference, "wv"))
        return false;
    const std::string a = Unstressed(DropLast(past, 1)), b = Unstressed(DropLast(reference, 1));
    return !a.empty() && a == b;
}

} // namespace

Eight Imperatives(const ImperativeSources &src)
{
    Eight out;
    // Aorist (simple) active: gravye gravyte, fuvge fuvgete, peV peivte, fave favte.
    switch (KindOf(src.subjunctive)) {
    case SubjKind::Ordinary: {
        const std::string stem = DropLast(src.subjunctive, 1);
        // An aorist without augment gives the form with its own stress
        // (sxedivase, agavphse); otherwise the antepenult of the
        // unaugmented stem takes it (gravye, epivstreye).
        out[0] = SameStem(src.aorist, src.subjunctive)
                     ? DropLast(src.aorist, 1) + "e"
                     : StressFromEnd(Unstressed(stem) + "e", 3);
        // The short plural after s y x, and after r l in two-syllable verbs
        // (pavrte, bavlte; but anafevrete, anabavlete).
        const char last = stem.empty() ? '\0' : stem.back();
        const bool shortForm = last == 's' || last == 'y' || last == 'x' ||
                               ((last == 'r' || last == 'l') && SyllableCount(src.subjunctive) <= 2);
        out[4] = stem + (shortForm ? "te" : "ete");
        break;
    }
    case SubjKind::EndStressed: {
        const std::string stem = EndStressedStem(src.subjunctive);
        const std::string single = stem + "eV";
        if (SyllableCount(single) <= 1)
            out[0] = single;
        out[4] = DropMonosyllableMark(stem + "eivte");
        break;
    }
    case SubjKind::VowelStem: {
        const std::string stem = DropLast(src.subjunctive, 1);
        out[0] = stem + "e";
        out[4] = stem + "te";
        break;
    }
    case SubjKind::None:
        break;
    }
    // Aorist passive: koimhvsou, skevyou for the deponents (a transitive
    // verb's gravyou is hardly used), grafteivte for every verb.
    if (src.wt.rfind("cp", 0) == 0)
        out[1] = PassiveAoristImperative(src.passiveSubjunctive);
    out[5] = src.passiveSubjunctiveForms[4];
    // Present (continuous) active: gravfe gravfete, agavpa agapavte.
    // An imperfect without augment gives the form with its own stress
    // (sxedivaze, agkavliaze); otherwise the stem takes it on the antepenult
    // (gravfe, epivstrefe).
    if ((src.wt == "c1" || src.wt == "cA") && SameStem(src.imperfect, src.headword))
        out[2] = DropLast(src.imperfect, 1) + "e";
    else if ((src.wt == "c1" || src.wt == "cA") && EndsWith(src.headword, "w"))
        out[2] = StressFromEnd(Unstressed(DropLast(src.headword, 1)) + "e", 3);
    else if (src.wt == "c2")
        out[2] = StressFromEnd(Unstressed(PresentStem("c2", src.headword)) + "a", 2);
    out[6] = src.presentActive[4];
    // Present passive: gravfeste.
    out[7] = src.presentPassive[4];
    return out;
}

} // namespace tav::inflect
