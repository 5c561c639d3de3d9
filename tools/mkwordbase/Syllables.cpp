#include "Syllables.h"

namespace tav::inflect {

namespace {

bool IsPairSecond(char first, char second)
{
    switch (second) {
    case 'i':
        return first == 'a' || first == 'e' || first == 'o' || first == 'u';
    case 'u':
        return first == 'o' || first == 'a' || first == 'e' || first == 'h';
    default:
        return false;
    }
}

} // namespace

bool IsVowel(char c)
{
    switch (c) {
    case 'a': case 'e': case 'h': case 'i': case 'o': case 'u': case 'w':
    case 'A': case 'E': case 'H': case 'I': case 'O': case 'U': case 'W':
        return true;
    default:
        return false;
    }
}

std::string Unstressed(const std::string &word)
{
    std::string out;
    out.reserve(word.size());
    for (char c : word)
        if (c != 'v')
            out += c;
    return out;
}

std::vector<Nucleus> Nuclei(const std::string &word)
{
    std::vector<Nucleus> nuclei;
    const size_t n = word.size();
    size_t i = 0;
    while (i < n) {
        const char c = word[i];
        if (!IsVowel(c)) {
            ++i;
            continue;
        }
        const char lc = static_cast<char>(c | 0x20);
        Nucleus nu;
        nu.begin = i;
        size_t next = i + 1;
        if (next < n && IsVowel(word[next]) && IsPairSecond(lc, static_cast<char>(word[next] | 0x20)))
            ++next;
        nu.end = next;
        nu.stressed = next < n && word[next] == 'v';
        // An unstressed single i between a consonant and a vowel is a glide.
        const bool single = nu.end == nu.begin + 1;
        if (single && lc == 'i' && !nu.stressed && i > 0 && !IsVowel(word[i - 1]) && word[i - 1] != 'v' &&
            next < n && IsVowel(word[next])) {
            i = next;
            continue;
        }
        // So is an unstressed oi or ei before a vowel (moiavzw, adeiavzw).
        if (!single && !nu.stressed && (lc == 'o' || lc == 'e') && (word[i + 1] | 0x20) == 'i' && next < n &&
            IsVowel(word[next]) && i > 0 && !IsVowel(word[i - 1]) && word[i - 1] != 'v') {
            i = next;
            continue;
        }
        nuclei.push_back(nu);
        i = nu.stressed ? next + 1 : next;
    }
    return nuclei;
}

int SyllableCount(const std::string &word) { return static_cast<int>(Nuclei(word).size()); }

int StressIndex(const std::string &word)
{
    const auto nuclei = Nuclei(word);
    for (size_t k = 0; k < nuclei.size(); ++k)
        if (nuclei[k].stressed)
            return static_cast<int>(k);
    return -1;
}

std::string StressAt(const std::string &word, int index)
{
    const std::string plain = Unstressed(word);
    const auto nuclei = Nuclei(plain);
    if (nuclei.size() <= 1)
        return plain;
    if (index < 0)
        index = 0;
    if (index >= static_cast<int>(nuclei.size()))
        index = static_cast<int>(nuclei.size()) - 1;
    std::string out = plain;
    out.insert(nuclei[static_cast<size_t>(index)].end, 1, 'v');
    return out;
}

std::string StressFromEnd(const std::string &word, int fromEnd)
{
    const int count = SyllableCount(Unstressed(word));
    return StressAt(word, count - fromEnd);
}

std::string DropMonosyllableMark(const std::string &word)
{
    return SyllableCount(word) <= 1 ? Unstressed(word) : word;
}

bool EndsWith(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string &s, const std::string &head)
{
    return s.size() >= head.size() && s.compare(0, head.size(), head) == 0;
}

std::string DropLast(const std::string &s, size_t n) { return s.size() <= n ? std::string() : s.substr(0, s.size() - n); }

} // namespace tav::inflect
