#include "RichTextEdit.h"

#include "RichText.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

RichTextEdit::RichTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
}

void RichTextEdit::insertFromMimeData(const QMimeData *source)
{
    static const QString QtRichText = QStringLiteral("application/x-qrichtext");
    if (!source || isReadOnly() || !acceptRichText() || !(source->hasFormat(QtRichText) || source->hasHtml())) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const QString html = source->hasFormat(QtRichText) ? QString::fromUtf8(source->data(QtRichText))
                                                        : source->html();
    QTextDocument pasted;
    pasted.setDefaultFont(document()->defaultFont());
    QTextCursor(&pasted).insertFragment(QTextDocumentFragment::fromHtml(html, document()));
    QTextDocument kept;
    kept.setDefaultFont(document()->defaultFont());
    RichText::read(kept, RichText::write(pasted));
    QTextCursor all(&kept);
    all.select(QTextCursor::Document);
    textCursor().insertFragment(QTextDocumentFragment(all));
    ensureCursorVisible();
}
