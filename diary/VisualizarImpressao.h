#pragma once
// The report window: never shown itself, it holds the printed report of the entry in the editor.
#include <QDialog>

class TFormVisualizar : public QDialog {
    Q_OBJECT
public:
    explicit TFormVisualizar(QWidget *parent = nullptr);
};

extern TFormVisualizar *FormVisualizar;
