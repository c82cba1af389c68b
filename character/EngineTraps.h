#pragma once

namespace vortana {

// Characters the speech engine cannot be given. For each of them the Italian
// voice hands the word to another language's rules, which then fall back on
// a dictionary that has already been freed: the engine reads freed memory and
// may crash. Found by trying every code point alone and inside a sentence;
// they are digits and signs of Indic scripts, a few Greek signs, Hangul vowel
// and final-consonant jamo, and code points no script has yet.
bool isEngineTrap(char32_t character);

} // namespace vortana
