#pragma once
// The delete dialog: the current user's entries, by title or by date, to delete them one after
// the other.
#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;
class TDBNavigator;
class TListaEntradas;

class TFormExcluir : public QDialog {
    Q_OBJECT
public:
    explicit TFormExcluir(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *Ordenar1;
    QAction *PorTitulo1, *PorData1;
    QFrame *Panel1;
    QLabel *Label1;
    QTableView *DBGrid1;
    TDBNavigator *DBNavigator1;
    QPushButton *Bexcluir, *BitBtn1, *BitBtn2;

    // The list of the current user's entries; rebuilt on every use.
    TListaEntradas *ADOQueryExcluir;
    bool ListaVazia() const;

public slots:
    void FormShow();
    // Deletes the entry of the grid's current row, when the user says Yes.
    void BexcluirClick();
    void PorTitulo1Click();
    void PorData1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ordenar(bool porTitulo);
    void habilitar(bool sim);
};

extern TFormExcluir *FormExcluir;
