#pragma once

#include <QString>

class QPlainTextEdit;

namespace pages {

// The memo's text as it is sent: every line break (a new paragraph or a line break within
// one) is CR LF.
QString MemoText(const QPlainTextEdit* memo);

// Keeps a memo at most maxLength characters long, counted as MemoText() counts them. Typing
// stops at the limit, and of a longer text pasted or set from code only the first part that
// fits stays; the text around it is kept whole.
void LimitMemoLength(QPlainTextEdit* memo, int maxLength);

}  // namespace pages
