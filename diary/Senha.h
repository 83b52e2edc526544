#pragma once
// The password options dialog: the gate of the program, shown at start and after a log-out.
#include <QDialog>

class QLabel;
class QPushButton;

class TFormOpcaoSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormOpcaoSenha(QWidget *parent = nullptr);

    QLabel *Label1;
    QPushButton *BAbrir, *BAlterar, *BCriar, *BExcluir;

public slots:
    // Runs the dialog; its close handler runs when it has ended, after the handler that closed it.
    int exec() override;
    // Without a log-in the program ends: closes the main window.
    void FormClose();

    void BCriarClick();
    void BAbrirClick();
    void BAlterarClick();
    void BExcluirClick();

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFormOpcaoSenha *FormOpcaoSenha;
