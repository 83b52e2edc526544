#pragma once
// The save dialog: the title under which a new entry is stored.
#include <QDialog>

class TFormSalvar : public QDialog {
    Q_OBJECT
public:
    explicit TFormSalvar(QWidget *parent = nullptr);

public slots:
    // Stores the entry in the editor.
    void BSalvarClick();
};

extern TFormSalvar *FormSalvar;
