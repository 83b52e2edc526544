#pragma once
// The paragraph ruler above the diary's editor: a strip 26 pixels high bound to the editor whose
// paragraph indents it sets.
#include <QFrame>
#include <QPointer>

class QTextEdit;

class TRuler : public QFrame {
    Q_OBJECT
public:
    explicit TRuler(QWidget *parent = nullptr);

    // The bound editor (not owned); without one the ruler changes nothing.
    QPointer<QTextEdit> RichEdit;
};
