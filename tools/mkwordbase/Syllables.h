#pragma once
// Syllables and stress of a Greek word written in the Latin keys
// ("abgdezhqiklmnxoprsVtufcyw", the stress mark "v" after the stressed
// vowel or after the second letter of a two-letter vowel).

#include <string>
#include <vector>

namespace tav::inflect {

// One syllable nucleus: the letters [begin, end) of its vowel or vowel pair,
// without a stress mark.
struct Nucleus {
    size_t begin = 0;
    size_t end = 0;
    bool stressed = false;
};

bool IsVowel(char c);

// The word without its stress marks.
std::string Unstressed(const std::string &word);

// The nuclei of word, first to last. Pairs ai ei oi ou ui au eu hu are one
// nucleus unless a mark stands between them; an unstressed i after a
// consonant and before a vowel is a glide and no nucleus (kardiav, evftiaxa),
// and so is an unstressed oi or ei there (moiavzw, adeiavzw).
std::vector<Nucleus> Nuclei(const std::string &word);

int SyllableCount(const std::string &word);

// Index (from the first, 0-based) of the stressed nucleus, -1 when unmarked.
int StressIndex(const std::string &word);

// word (marks removed first) with the mark on nucleus `index` counted from
// the start; an index past the last nucleus marks the last. A word of one
// syllable gets no mark.
std::string StressAt(const std::string &word, int index);

// The same with the nucleus counted from the end: 1 the last, 2 the
// penultimate, 3 the antepenultimate; a shorter word is marked on its first.
std::string StressFromEnd(const std::string &word, int fromEnd);

// word with the mark removed when it has one syllable only (les, trwV, peiV).
std::string DropMonosyllableMark(const std::string &word);

bool EndsWith(const std::string &s, const std::string &tail);
bool StartsWith(const std::string &s, const std::string &head);
// s without its last n characters ("" when shorter).
std::string DropLast(const std::string &s, size_t n);

} // namespace tav::inflect
