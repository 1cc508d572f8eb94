// Standard base64 (RFC 4648, with padding) for binary preference values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string base64Encode(const char* data, size_t size);
// Strict: only the alphabet, length a multiple of 4, padding only at the end. False when the
// text is not such an encoding; `out` is then unspecified.
bool base64Decode(std::string_view text, std::vector<char>& out);
