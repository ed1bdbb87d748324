// Windows-1251 text: the byte text of the whole core, its case mapping and its UTF-8 form.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// A character that has no form in the target encoding, or bytes that are not UTF-8.
class EncodingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Unicode code point of one Windows-1251 byte (0x98, unassigned, maps to U+0098 so nothing is
// lost).
char32_t cp1251ToUnicode(unsigned char byte);
// The Windows-1251 byte of a code point; false when it has none.
bool unicodeToCp1251(char32_t cp, unsigned char& byte);

std::string cp1251ToUtf8(const std::string& text);
// Appends the UTF-8 form of one code point.
void appendUtf8(std::string& out, char32_t cp);
// Throws EncodingError naming the first character without a Windows-1251 form.
std::string utf8ToCp1251(const std::string& utf8);

bool isValidUtf8(const std::string& bytes);
bool hasNonAscii(const std::string& bytes);

// Upper and lower case of every letter of the code page: Latin, Russian and the other Cyrillic.
unsigned char upperCp1251(unsigned char c);
unsigned char lowerCp1251(unsigned char c);
std::string upperCase(std::string text);
std::string lowerCase(std::string text);

// A Russian text written in this source (UTF-8) as the core's Windows-1251 bytes.
std::string ru(const char* utf8);

} // namespace qm
