#pragma once
// What the open and delete dialogs share: the list of the user's entries behind their grid, the
// grid's columns, and the navigator's four buttons.
#include "DiaryDatabase.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QWidget>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QTableView;
class QToolButton;

// The current user's entries, read whole when the list is rebuilt (no query stays open behind the
// grid). Columns: Titulo ("Título"), Data (shown dd/MM/yyyy) and Hora.
class TListaEntradas : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { Titulo, Data, Hora };

    explicit TListaEntradas(QObject *parent = nullptr);

    // Rebuilds the list in that order; false, with the list empty, when the database failed (the
    // user has been told).
    bool Abrir(DiaryDatabase::Order ordem);
    // Whether the last Abrir read the list (false after a database error, already reported).
    bool Lida() const { return m_lida; }
    void Fechar();
    DiaryDatabase::Order Ordem() const { return m_ordem; }
    const DiaryDatabase::Entry &Entrada(int linha) const { return m_entradas.at(linha); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<DiaryDatabase::Entry> m_entradas;
    DiaryDatabase::Order m_ordem = DiaryDatabase::Order::ByDate;
    bool m_lida = true;
};

// A read-only grid of the list, 500 x 300: one row selected at a time, columns 325, 70 and 70
// wide, Data and Hora centred.
void PrepararGrade(QTableView *grade, TListaEntradas *lista);
// Makes `linha` (kept within the list) the grid's current row; none when the list is empty.
void PosicionarGrade(QTableView *grade, int linha);
// The grid's current row, or -1.
int LinhaAtual(const QTableView *grade);

// The navigator: first, prior, next and last, with their hints. Bound to a grid it moves the
// current row; bound to nothing it does nothing.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget *parent = nullptr);
    QTableView *DataSource = nullptr;
    QToolButton *First, *Prior, *Next, *Last;

private:
    void mover(int para);
};

// The frame of the open and delete dialogs: the "&Ordenar" menu, the panel with its label, the grid
// over the list and the navigator; each show lists the entries by date. A list read by date just
// before the show (the menu command reads it to know whether it is empty) serves the show, unless
// something was stored or deleted in between.
class TFormLista : public QDialog {
    Q_OBJECT
public:
    TFormLista(const QString &nome, const QString &titulo, QWidget *parent);

    QMenuBar *MainMenu1;
    QMenu *Ordenar1;
    QAction *PorTitulo1, *PorData1;
    QFrame *Panel1;
    QLabel *Label1;
    QTableView *DBGrid1;
    TDBNavigator *DBNavigator1;

    bool ListaVazia() const;
    bool ListaLida() const;

public slots:
    virtual void FormShow();
    void PorTitulo1Click();
    void PorData1Click();

protected:
    void showEvent(QShowEvent *event) override;
    TListaEntradas *const Lista;

private:
    void ordenar(bool porTitulo);

    // The list was read while the dialog was hidden, at this count of database changes.
    bool m_lidaParaMostrar = false;
    qint64 m_mudancas = -1;
};
