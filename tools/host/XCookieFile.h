// An X authority file with one fresh MIT-MAGIC-COOKIE-1 that fits every display: the
// server reads it with -auth, clients find it through XAUTHORITY.
#pragma once

#include <string>

namespace zelhost {

// Writes the file (mode 0600) with 16 random bytes as the cookie; false with a reason.
bool writeCookieFile(const std::string& path, std::string& error);

}  // namespace zelhost
