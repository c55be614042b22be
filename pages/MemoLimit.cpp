#include "MemoLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace pages {
namespace {

bool isLineBreak(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n';
}

}  // namespace

QString MemoText(const QPlainTextEdit* memo) {
    QString text = memo->toPlainText();
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void LimitMemoLength(QPlainTextEdit* memo, int maxLength) {
    QTextDocument* document = memo->document();
    // Runs on the GUI thread whenever the memo's document changes, by typing or from code.
    QObject::connect(document, &QTextDocument::contentsChange, memo,
                     [memo, document, maxLength](int position, int, int added) {
                         int excess = static_cast<int>(MemoText(memo).size()) - maxLength;
                         if (excess <= 0 || added <= 0) {
                             return;
                         }
                         // Take characters off the end of what was just added until the text fits.
                         const int end = std::min(position + added, document->characterCount() - 1);
                         int start = end;
                         while (excess > 0 && start > position) {
                             --start;
                             excess -= isLineBreak(document->characterAt(start)) ? 2 : 1;
                         }
                         QTextCursor cursor(document);
                         cursor.setPosition(start);
                         cursor.setPosition(end, QTextCursor::KeepAnchor);
                         cursor.removeSelectedText();
                     });
}

}  // namespace pages
