#pragma once

#include <QString>
#include <string>

// Every occurrence, left to right, without overlapping; inserted replacements are never searched
// again. An empty pattern leaves the source as it is.
std::string ReplaceAll(const std::string& source, const std::string& pattern,
                       const std::string& replacement);
QString ReplaceAll(const QString& source, const QString& pattern, const QString& replacement);
