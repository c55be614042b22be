#pragma once
// Windows-1254 (Turkish) text. The core keeps texts as 8-bit bytes in this code page; widgets,
// feeds and the network speak Unicode, and this is the one place that converts.

#include <QByteArray>
#include <QString>
#include <string>

namespace app {

QString FromCp1254(const std::string& bytes);
// Characters the code page cannot hold become "?".
std::string ToCp1254(const QString& text);
// An address made of code page 1254 bytes, as a URL that sends those same bytes: each byte
// above 127 is percent-encoded as itself rather than as UTF-8.
QString Cp1254Address(const std::string& bytes);
// Ill-formed UTF-8 gives empty text.
std::string Utf8ToCp1254(const QByteArray& utf8);

}  // namespace app
