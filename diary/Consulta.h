#pragma once
// The open dialog: the current user's entries, by title or by date, to open one.
#include <QDialog>

class QSqlQueryModel;

class TFormAbrir : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbrir(QWidget *parent = nullptr);

    // The list of the current user's entries.
    QSqlQueryModel *ADOQueryConsulta;
    bool ListaVazia() const;

public slots:
    void PorTitulo1Click();
    void PorData1Click();
};

extern TFormAbrir *FormAbrir;
