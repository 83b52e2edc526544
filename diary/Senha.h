#pragma once
// The password options dialog: the gate of the program, shown at start and after a log-out.
#include <QDialog>

class TFormOpcaoSenha : public QDialog {
    Q_OBJECT
public:
    explicit TFormOpcaoSenha(QWidget *parent = nullptr);

public slots:
    // Runs the dialog; its close handler runs when it has ended, after the handler that closed it.
    int exec() override;
    // Without a log-in the program ends: closes the main window.
    void FormClose();
};

extern TFormOpcaoSenha *FormOpcaoSenha;
