#pragma once
// The open dialog: the current user's entries, by title or by date, to open one in the editor.
#include "ListaEntradas.h"

class QPushButton;

class TFormAbrir : public TFormLista {
    Q_OBJECT
public:
    explicit TFormAbrir(QWidget *parent = nullptr);

    QPushButton *Babrir, *BitBtn1;

    // The list of the current user's entries, open while the dialog needs it.
    TListaEntradas *const ADOQueryConsulta = Lista;

public slots:
    void FormClose();
    // Opens the entry of the grid's current row in the editor.
    void BabrirClick();
    void DBGrid1DblClick();
    // Enter, whatever the shift state, opens the current entry and closes the dialog; true when
    // the key was taken.
    bool DBGrid1KeyDown(int Key);

    void done(int r) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void abrirEFechar();
};

extern TFormAbrir *FormAbrir;
