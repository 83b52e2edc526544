#pragma once
// The delete dialog: the current user's entries, by title or by date, to delete them.
#include <QDialog>

class QSqlQueryModel;

class TFormExcluir : public QDialog {
    Q_OBJECT
public:
    explicit TFormExcluir(QWidget *parent = nullptr);

    // The list of the current user's entries.
    QSqlQueryModel *ADOQueryExcluir;
    bool ListaVazia() const;

public slots:
    void PorTitulo1Click();
    void PorData1Click();
};

extern TFormExcluir *FormExcluir;
