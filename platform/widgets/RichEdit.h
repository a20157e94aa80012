#pragma once
// The rich-text box of the events panel: text is added at the end in the selected colour.
#include <QColor>
#include <QStringList>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

class RichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichEdit(QWidget* parent = nullptr) : QTextEdit(parent) { setReadOnly(true); }

    // Empties the text; the selection attributes go back to plain black.
    void ClearText() {
        clear();
        selColor_ = Qt::black;
        selBold_ = false;
    }
    // The colour (and weight) of the text inserted next.
    void SetSelColor(const QColor& colour) { selColor_ = colour; }
    QColor SelColor() const { return selColor_; }
    void SetSelBold(bool bold) { selBold_ = bold; }
    // Inserts Text at the end in the selection attributes; "\r" starts a new paragraph.
    void InsertText(const QString& Text) {
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        QTextCharFormat format;
        format.setForeground(selColor_);
        format.setFontWeight(selBold_ ? QFont::Bold : QFont::Normal);
        QString text = Text;
        text.replace(QLatin1String("\r\n"), QStringLiteral("\r"));
        const QStringList paragraphs = text.split(QLatin1Char('\r'));
        for (int i = 0; i < paragraphs.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(paragraphs[i], format);
        }
    }

private:
    QColor selColor_ = Qt::black;
    bool selBold_ = false;
};
