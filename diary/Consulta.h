#pragma once
// The open dialog: the current user's entries, by title or by date, to open one in the editor.
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

class TFormAbrir : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbrir(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *Ordenar1;
    QAction *PorTitulo1, *PorData1;
    QFrame *Panel1;
    QLabel *Label1;
    QTableView *DBGrid1;
    TDBNavigator *DBNavigator1;
    QPushButton *Babrir, *BitBtn1;

    // The list of the current user's entries, open while the dialog needs it.
    TListaEntradas *ADOQueryConsulta;
    bool ListaVazia() const;

public slots:
    void FormShow();
    void FormClose();
    // Opens the entry of the grid's current row in the editor.
    void BabrirClick();
    void PorTitulo1Click();
    void PorData1Click();
    void DBGrid1DblClick();
    // Enter, whatever the shift state, opens the current entry and closes the dialog; true when
    // the key was taken.
    bool DBGrid1KeyDown(int Key);

    void done(int r) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ordenar(bool porTitulo);
    void abrirEFechar();
};

extern TFormAbrir *FormAbrir;
