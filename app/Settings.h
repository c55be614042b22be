#pragma once
// The one setting the player has: "ayar1" of section "ayar" in ayar.ini beside the executable.
// Read once, never written.

#include <QString>

namespace app {

// A missing file, section or key, or a value that is not a decimal integer, gives 0.
// Section and key names match without regard to case, as in the profile format.
int ReadAyar1(const QString& iniPath);
QString SettingsFilePath();  // "ayar.ini" in the executable's folder

}  // namespace app
