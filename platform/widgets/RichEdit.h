#pragma once
// The rich-text box of the events panel: text is added at the end in the selected colour.
#include <QTextEdit>

class RichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit RichEdit(QWidget* parent = nullptr) : QTextEdit(parent) { setReadOnly(true); }
};
