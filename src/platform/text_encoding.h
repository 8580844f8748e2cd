// Conversions between the program's 8-bit Windows-1252 text and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace kinloom::platform {

// The two encodings of 8-bit text the program writes: the Windows-1252 code page of its own
// texts, and UTF-8.
enum class TextEncoding { kWindows1252, kUtf8 };

// Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined map to the
// C1 control of the same number, so every byte converts.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252. A character the code page cannot hold becomes `fallback`;
// an invalid byte sequence also becomes `fallback`.
std::string Utf8ToCp1252(std::string_view text, char fallback = '?');

// The Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int CodePointToCp1252(char32_t cp);

// What NextUtf8CodePoint gives for a byte that does not start a valid UTF-8 sequence.
inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// The UTF-8 character at text[i], with i moved past it: its code point, or kNotUtf8 for a
// byte that does not start a valid sequence (an overlong form, a surrogate or a value beyond
// Unicode), which then counts for one byte.
char32_t NextUtf8CodePoint(std::string_view text, std::size_t& i);

}  // namespace kinloom::platform
