// Small UTF-8 helpers for the toolkit's 8-bit strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Returns text as valid UTF-8: valid sequences are kept, every other byte is read as Latin-1.
std::string toValidUtf8(const char* text);
// Encodes one code point (invalid ones become U+FFFD).
std::string encodeUtf8(uint32_t codePoint);
// Byte index of the character boundary before / after pos (0 / size at the ends).
size_t utf8Previous(const std::string& text, size_t pos);
size_t utf8Next(const std::string& text, size_t pos);
