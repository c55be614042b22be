#pragma once
// Loads an HTML text into a web view as its document, in place of whatever it showed.
//
// The text is code page 1254 bytes; it goes in as lines ending in CR LF, declared as
// windows-1254 so the view reads it the way it was written. The view runs no script of the
// page and lets it read no local file: feed HTML is the station's text, and markup in it takes
// effect, but it must not run in the player. Nothing waits for the document to finish
// loading (pictures come afterwards), so no rebuild can start while an earlier one waits.

#include <string>

class QWebEngineView;

namespace pages {

void ShowHtmlInBrowser(QWebEngineView* browser, const std::string& html);

}  // namespace pages
