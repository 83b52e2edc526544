#pragma once
// The save dialog: the title under which a new entry is stored; its handler also saves a stored
// entry again.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFormSalvar : public QDialog {
    Q_OBJECT
public:
    explicit TFormSalvar(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *EditTitulo;
    QPushButton *BSalvar, *BitBtn1;

public slots:
    // Proposes the title of the new entry.
    void FormShow();
    // Stores the entry in the editor: a new one under the title typed, a stored one again.
    void BSalvarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void recusar(const QString &mensagem);
};

extern TFormSalvar *FormSalvar;
