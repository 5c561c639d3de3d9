// Declension rules: nouns, adjectives, participles and the article.

#include "Inflection.h"
#include "Syllables.h"

namespace tav::inflect {

namespace {

// Fills three-gender columns: gender g (0 masc., 1 fem., 2 neut.) takes the
// six forms stem + endings.
void Fill(Eighteen &out, int g, const std::string &stem, const std::array<const char *, 6> &endings)
{
    for (size_t k = 0; k < 6; ++k)
        out[static_cast<size_t>(g) * 6 + k] = stem + endings[k];
}

bool Oxytone(const std::string &word)
{
    const int count = SyllableCount(word);
    return count > 1 && StressIndex(word) == count - 1;
}

} // namespace

Eighteen DeclineAdjective(const std::string &masc, const std::string &fem, const std::string &neut)
{
    Eighteen out;
    const std::string where = masc + " " + fem + " " + neut;
    // -oV / -h, -a / -o: kalovV kalhv kalov, wraivoV wraiva wraivo, glukovV glukiav glukov.
    if (EndsWith(masc, "oV") || EndsWith(masc, "ovV")) {
        const bool ox = EndsWith(masc, "ovV");
        if (ox != EndsWith(neut, "ov") || !(EndsWith(neut, "o") || EndsWith(neut, "ov")))
            throw InflectError("the neuter of an adjective in -oV ends in -o: " + where);
        if (ox) {
            const std::string stem = Unstressed(DropLast(masc, 3));
            Fill(out, 0, stem, {"ovV", "ov", "ouv", "oiv", "ouvV", "wvn"});
            Fill(out, 2, Unstressed(DropLast(neut, 2)), {"ov", "ov", "ouv", "av", "av", "wvn"});
        } else {
            const std::string stem = DropLast(masc, 2);
            Fill(out, 0, stem, {"oV", "o", "ou", "oi", "ouV", "wn"});
            Fill(out, 2, DropLast(neut, 1), {"o", "o", "ou", "a", "a", "wn"});
        }
        if (EndsWith(fem, "hv"))
            Fill(out, 1, DropLast(fem, 2), {"hv", "hv", "hvV", "evV", "evV", "wvn"});
        else if (EndsWith(fem, "av"))
            Fill(out, 1, DropLast(fem, 2), {"av", "av", "avV", "evV", "evV", "wvn"});
        else if (EndsWith(fem, "h"))
            Fill(out, 1, DropLast(fem, 1), {"h", "h", "hV", "eV", "eV", "wn"});
        else if (EndsWith(fem, "a"))
            Fill(out, 1, DropLast(fem, 1), {"a", "a", "aV", "eV", "eV", "wn"});
        else
            throw InflectError("the feminine of an adjective in -oV ends in -h or -a: " + where);
        // The feminine genitive plural is the masculine one (glukwvn, wraivwn).
        out[11] = out[5];
        return out;
    }
    // -uvV / -iav / -uv: baquvV baqiav baquv.
    if (EndsWith(masc, "uvV") && EndsWith(fem, "iav") && EndsWith(neut, "uv")) {
        const std::string stem = Unstressed(DropLast(masc, 3));
        Fill(out, 0, stem, {"uvV", "uv", "iouv", "ioiv", "iouvV", "iwvn"});
        Fill(out, 1, stem, {"iav", "iav", "iavV", "ievV", "ievV", "iwvn"});
        Fill(out, 2, stem, {"uv", "uv", "iouv", "iav", "iav", "iwvn"});
        return out;
    }
    // -hvV / -hvV / -evV: akribhvV akribevV; stem-stressed -hV / -eV: sunhvqhV.
    if (EndsWith(masc, "hvV") && EndsWith(fem, "hvV") && EndsWith(neut, "evV")) {
        const std::string stem = Unstressed(DropLast(masc, 3));
        Fill(out, 0, stem, {"hvV", "hv", "ouvV", "eivV", "eivV", "wvn"});
        Fill(out, 1, stem, {"hvV", "hv", "ouvV", "eivV", "eivV", "wvn"});
        Fill(out, 2, stem, {"evV", "evV", "ouvV", "hv", "hv", "wvn"});
        return out;
    }
    if (EndsWith(masc, "hV") && EndsWith(fem, "hV") && EndsWith(neut, "eV") && !Oxytone(masc)) {
        const std::string stem = DropLast(masc, 2);
        Fill(out, 0, stem, {"hV", "h", "ouV", "eiV", "eiV", "wn"});
        Fill(out, 1, stem, {"hV", "h", "ouV", "eiV", "eiV", "wn"});
        Fill(out, 2, DropLast(neut, 2), {"eV", "eV", "ouV", "h", "h", "wn"});
        return out;
    }
    throw InflectError("no declension rule for the adjective " + where +
                       " (give its forms in forms-override.tsv)");
}

Eighteen DeclineParticiple(const std::string &masculine)
{
    if (EndsWith(masculine, "ovV")) {
        const std::string stem = DropLast(masculine, 3);
        return DeclineAdjective(masculine, stem + "hv", stem + "ov");
    }
    if (!EndsWith(masculine, "oV"))
        throw InflectError("a participle in -menoV ends in -oV: " + masculine);
    const std::string stem = DropLast(masculine, 2);
    return DeclineAdjective(masculine, stem + "h", stem + "o");
}

Six DeclineNoun(int genus, const std::string &nomSg, const std::string &genSg, const std::string &nomPl,
                const std::string &genPl)
{
    Six out{nomSg, nomSg, genSg, nomPl, nomPl, genPl};
    if (genus == 2)
        return out;
    if (EndsWith(nomSg, "V"))
        out[1] = DropLast(nomSg, 1);
    if (EndsWith(nomPl, "oi") || EndsWith(nomPl, "oiv")) {
        if (EndsWith(genPl, "wn"))
            out[4] = DropLast(genPl, 2) + "ouV";
        else if (EndsWith(genPl, "wvn"))
            out[4] = DropLast(genPl, 3) + "ouvV";
        else if (EndsWith(nomPl, "oiv"))
            out[4] = DropLast(nomPl, 3) + "ouvV";
        else
            out[4] = DropLast(nomPl, 2) + "ouV";
    }
    return out;
}

int GenusOfArticle(const std::string &article)
{
    if (article == "o" || article == "oi")
        return 0;
    if (article == "h")
        return 1;
    if (article == "to" || article == "ta")
        return 2;
    return 99;
}

Eighteen DefiniteArticle()
{
    return {"o", "to(n)", "tou", "oi", "touV", "twn",  //
            "h", "th(n)", "thV", "oi", "tiV", "twn",   //
            "to", "to", "tou", "ta", "ta", "twn"};
}

} // namespace tav::inflect
