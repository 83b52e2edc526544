#pragma once
// The delete dialog: the current user's entries, by title or by date, to delete them one after
// the other.
#include "ListaEntradas.h"

class QPushButton;

class TFormExcluir : public TFormLista {
    Q_OBJECT
public:
    explicit TFormExcluir(QWidget *parent = nullptr);

    QPushButton *Bexcluir, *BitBtn1, *BitBtn2;

    // The list of the current user's entries; rebuilt on every use.
    TListaEntradas *const ADOQueryExcluir = Lista;

public slots:
    void FormShow() override;
    // Deletes the entry of the grid's current row, when the user says Yes.
    void BexcluirClick();

private:
    void habilitar(bool sim);
};

extern TFormExcluir *FormExcluir;
