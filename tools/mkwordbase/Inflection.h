#pragma once
// Inflection rules of Modern Greek for the word database builder. Every
// function works on words in the Latin keys (see Syllables.h) and returns ""
// for a form it cannot make; the builder then leaves the cell empty unless
// forms-override.tsv gives it.

#include <array>
#include <stdexcept>
#include <string>

namespace tav::inflect {

// A principal part or pattern that the rules do not know.
class InflectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Six person forms: S1, S2, S3, P1, P2, P3.
using Six = std::array<std::string, 6>;
// Eighteen declension forms in the column order of Klino: sMNom sMAck sMGen
// pMNom pMAck pMGen sFNom .. pFGen sNNom .. pNGen.
using Eighteen = std::array<std::string, 18>;
// Eight imperatives in the column order of IMPER: SiSimpAct SiSimpPas
// SiContAct SiContPas PlSimpAct PlSimpPas PlContAct PlContPas.
using Eight = std::array<std::string, 8>;

bool IsEmpty(const Six &forms);

// Present active from the headword of class wt: "c1"/"cA" (gravfw),
// "cv" (akouvw, levw), "c2" (agapavw or agapwv), "c3" (mporwv).
Six PresentActive(const std::string &wt, const std::string &headword);

// Present passive from its first person: -omai, -avmai, -ievmai/-evmai,
// -ouvmai. Empty for any other ending (eivmai: give its forms explicitly).
Six PresentPassive(const std::string &firstPerson);

// A past tense (aorist or imperfect, active or passive aorist) from its first
// person in -a: the singular and the third plural keep its stress, the first
// and second plural stress the antepenult; a syllabic augment "e" is dropped
// when the stress leaves it. `reference` is an unaugmented form of the same
// verb (the subjunctive for an aorist, the headword for an imperfect): an
// initial "ev" counts as augment only when the reference does not begin with e.
Six PastTense(const std::string &firstPerson, const std::string &reference);

// Passive imperfect from its first person in -ovmoun or -ouvmoun.
// `stressedThirdPlural` gives -ovntan (koimovntan) instead of stressing the
// antepenult (gravfontan); verbs in -iovmoun always take -iovntan.
Six PassiveImperfect(const std::string &firstPerson, bool stressedThirdPlural);

// Aorist subjunctive (active or passive) from its first person: gravyw,
// graftwv, pw, favw.
Six Subjunctive(const std::string &firstPerson);

// The imperatives of a verb of class wt from its forms.
struct ImperativeSources {
    std::string wt;
    std::string headword;          // present active first person ("" for cp*)
    std::string imperfect;         // imperfect active first person
    std::string aorist;            // aorist active first person
    std::string subjunctive;       // aorist subjunctive active first person
    std::string passiveSubjunctive;
    Six presentActive;
    Six presentPassive;
    Six passiveSubjunctiveForms;
};
Eight Imperatives(const ImperativeSources &src);

// Stems kept in Main: present (gravf), active aorist (gravy), passive aorist
// (graft).
std::string PresentStem(const std::string &wt, const std::string &headword);
std::string SubjunctiveStem(const std::string &firstPerson);

// The eighteen forms of an adjective from its three nominatives
// (-oV/-h/-o, -oV/-a/-o, -ovV/-iav/-ov, -uvV/-iav/-uv, -hvV/-hvV/-evV).
// Throws InflectError for another pattern.
Eighteen DeclineAdjective(const std::string &masc, const std::string &fem, const std::string &neut);

// The participle in -menoV declined as an adjective.
Eighteen DeclineParticiple(const std::string &masculine);

// A noun's six forms (sNom sAck sGen pNom pAck pGen) from its article and
// principal forms; "" in a principal form means it has none. Accusatives by
// rule: masculine and feminine singular drop a final V, plural of -oi nouns
// in -ouV, otherwise as the nominative.
Six DeclineNoun(int genus, const std::string &nomSg, const std::string &genSg, const std::string &nomPl,
                const std::string &genPl);

// Gender code of an article: o 0, h 1, to 2, ta 2, oi 0; 99 otherwise.
int GenusOfArticle(const std::string &article);

// The definite article in the eighteen columns; the accusative singulars
// carry the optional final n as "to(n)", "th(n)".
Eighteen DefiniteArticle();

} // namespace tav::inflect
