#include "GreekUnicode.h"

#include <cstdint>

namespace tav::inflect {

namespace {

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t Letter(char key)
{
    static const char keys[] = "abgdezhqiklmnxoprstufcyw";
    static const char32_t small[] = U"αβγδεζηθικλμνξοπρστυφχψω";
    static const char capsKeys[] = "ABGDEZHQIKLMNXOPRSTUFCYW";
    static const char32_t caps[] = U"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ";
    for (int i = 0; keys[i]; ++i)
        if (keys[i] == key)
            return small[i];
    for (int i = 0; capsKeys[i]; ++i)
        if (capsKeys[i] == key)
            return caps[i];
    return static_cast<unsigned char>(key);
}

char32_t WithTonos(char32_t c)
{
    switch (c) {
    case U'α': return U'ά';
    case U'ε': return U'έ';
    case U'η': return U'ή';
    case U'ι': return U'ί';
    case U'ο': return U'ό';
    case U'υ': return U'ύ';
    case U'ω': return U'ώ';
    case U'Α': return U'Ά';
    case U'Ε': return U'Έ';
    case U'Η': return U'Ή';
    case U'Ι': return U'Ί';
    case U'Ο': return U'Ό';
    case U'Υ': return U'Ύ';
    case U'Ω': return U'Ώ';
    default: return 0;
    }
}

bool IsLetterKey(char c) { return (c >= 'a' && c <= 'z' && c != 'v') || (c >= 'A' && c <= 'Z'); }

} // namespace

std::string ToUnicodeGreek(const std::string &keys)
{
    std::u32string letters;
    for (size_t i = 0; i < keys.size(); ++i) {
        const char k = keys[i];
        if (k == 'v') {
            const char32_t marked = letters.empty() ? 0 : WithTonos(letters.back());
            if (marked)
                letters.back() = marked;
            else
                letters += U'\u0301'; // a mark on no vowel stays visible
            continue;
        }
        if (k == 'V') {
            letters += U'ς';
            continue;
        }
        size_t next = i + 1;
        while (next < keys.size() && keys[next] == 'v')
            ++next;
        if (k == 's' && (next == keys.size() || !IsLetterKey(keys[next]))) {
            letters += U'ς';
            continue;
        }
        letters += Letter(k);
    }
    std::string out;
    for (char32_t c : letters)
        AppendUtf8(out, c);
    return out;
}

} // namespace tav::inflect
