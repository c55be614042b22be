#pragma once
// The window's fonts. The skin was designed with Tahoma, Arial and MS Sans Serif at fixed pixel
// sizes; here Tahoma and MS Sans Serif come from Wine's metric-compatible fonts when they are
// installed, Arial maps to Liberation Sans, and any family still missing falls back to the
// nearest installed sans-serif so that text keeps roughly the width the layout expects.

#include <QFont>
#include <QStringList>

namespace AppFonts {

// Registers the fonts and the substitutions, and makes the window's default font (MS Sans
// Serif, 11 pixels) the application's. GUI thread, after QApplication exists; only the first
// call does anything. Returns the families that were loaded from font files.
QStringList install();

// A font of the skin: family, pixel size, bold, italic.
QFont pixelFont(const QString& family, int pixelSize, bool bold = false, bool italic = false);

}  // namespace AppFonts
