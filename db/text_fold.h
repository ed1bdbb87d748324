// Case folding of database text (UTF-8) for Latin and Cyrillic letters, which SQLite alone
// folds only for ASCII: the collation, upper, lower and LIKE of the project database use it.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Bytes that are not UTF-8 pass through unchanged (decoded as 0x110000 + byte).
std::u32string decodeUtf8Lossless(std::string_view text);
std::string encodeUtf8Lossless(const std::u32string& text);

char32_t lowerLetter(char32_t cp);
char32_t upperLetter(char32_t cp);
std::string lowerUtf8(std::string_view text);
std::string upperUtf8(std::string_view text);

// Case-insensitive order: letters compare by their lower case, "ё" right after "е".
int compareIgnoringCase(std::string_view a, std::string_view b);

// SQL LIKE: '%' any run, '_' one character, case-insensitive; `escape` (0 for none) makes the
// next pattern character literal, and an escape at the end of the pattern matches nothing.
bool likeMatches(std::string_view pattern, std::string_view text, char32_t escape);

} // namespace qm
