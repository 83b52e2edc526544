#pragma once
// A rich-text editor that holds only what its files keep: text pasted or dropped with formatting
// (a web page, another word processor) comes in as it will come back from its RTF file, so that
// what the user sees is what a save and an open give back (no pictures, tables, lists or links
// that would silently vanish).
#include <QTextEdit>

class RichTextEdit : public QTextEdit {
public:
    explicit RichTextEdit(QWidget *parent = nullptr);

protected:
    void insertFromMimeData(const QMimeData *source) override;
};
