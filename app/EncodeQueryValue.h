#pragma once
// The encoding of query values for the player's requests. Byte by byte over the code page 1254
// text: letters A-Z and a-z, digits and the ten characters ! $ ' ( ) * - . @ _ stay as they are,
// a space becomes "+", every other byte becomes "%" and two upper-case hexadecimal digits.
// The tilde is encoded (%7E) although RFC 3986 would keep it: the servers expect this set.

#include <QString>
#include <string>
#include <string_view>

namespace app {

std::string EncodeQueryValue(std::string_view bytes);
// The text is taken in code page 1254 first.
QString EncodeQueryValue(const QString& text);

}  // namespace app
