#pragma once
// Conversion of the Latin keys to Unicode Greek (UTF-8), for checking forms
// against a Greek spelling dictionary.

#include <string>

namespace tav::inflect {

// Letters by the mapping (capitals to capitals), "v" puts the tonos on the
// vowel before it (the precomposed letter), "V" and an "s" at a word's end
// become final sigma; every other character is kept.
std::string ToUnicodeGreek(const std::string &keys);

} // namespace tav::inflect
