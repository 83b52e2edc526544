#pragma once
// The diary's main window: menus, tool bar, the editor Rdtexto with its ruler and status bar, the
// banner at the foot; the save prompt, new entries, locking and unlocking of the editor at log-out
// and log-in, formatting, clipboard, printing, help and the about box. One class over three files:
// Principal.cpp (the window, its start and close), PrincipalEntradas.cpp (the log-in state, the save
// prompt and the entry commands), PrincipalComandos.cpp (printing and the other commands).
#include "Messages.h"

#include <QFont>
#include <QMainWindow>

class FontColorDialog;
class QAction;
class QColorDialog;
class QFrame;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QToolButton;
class TAdControlStats;
class TAdSoftwareStats;
class TRuler;

// Plain message box titled "Dorlinda" (one OK button).
void Mensagem(const QString &texto);
// Confirmation box titled "Dorlinda": Yes and No, and Cancel when asked for; only Yes acts.
Messages::Button Confirmar(const QString &texto, bool comCancelar);

class TFormPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormPrincipal(QWidget *parent = nullptr);
    ~TFormPrincipal() override;

    // The database opened with the window; when it could not be used the user has been told.
    bool ConexaoAberta = false;

    QMenuBar *MainMenu1;
    QMenu *Dirio1, *Editar1, *Formatar1, *Alinhamento1, *Ajuda1;
    QAction *Novo1, *Abrir1, *Salvar1, *Excluir1, *Visualizarimpresso1, *Imprimir1, *Sair1;
    QAction *Recortar1, *Copiar1, *Colar1, *Selecionartudo1;
    QAction *Fonte1, *Background1, *Esquerda1, *Centralizado1, *Direita1;
    QAction *AjudadoDorlinda1, *Sobre1;

    QToolBar *ToolBar1;
    QToolButton *TBAbrir, *TBExcluir, *ToolButton16;
    QFrame *Panel2;
    TRuler *Ruler1;
    QTextEdit *Rdtexto;
    QStatusBar *StatusBar;
    QFrame *Panel1;
    TAdControlStats *AdControlStats1;
    TAdSoftwareStats *AdSoftwareStats1;

    QColorDialog *ColorDialogFundo;
    FontColorDialog *FontDialog1;
    // The font of new entries (Times New Roman, 12 points: 16 pixels at 96 dpi).
    QFont FontDialog2;

public slots:
    // The save prompt. False when the operation that asked must stop and leave the editor as it is:
    // the user answered Cancel (or closed the box), or answered Yes and the entry was not stored
    // (the save dialog was cancelled, or the save failed).
    bool PerguntarSalvar();
    void NovoArquivo();
    void MostrarTexto();
    void EncerrarSessao();
    // Fills the report's title, date and time for the entry in the editor. False when the entry's
    // row could not be read (the user has been told): nothing is printed.
    bool PrepararRelatorio();

    void FormShow();
    void FormActivate();
    void FormResize();
    // False when the close must not go on (the save prompt stopped it).
    bool FormClose();
    void RdtextoChange();

    void Novo1Click();
    void Abrir1Click();
    // True when the entry in the editor is stored and unchanged afterwards.
    bool Salvar1Click();
    void Excluir1Click();
    void Visualizarimpresso1Click();
    void Imprimir1Click();
    void Sair1Click();
    void Recortar1Click();
    void Copiar1Click();
    void Colar1Click();
    void Selecionartudo1Click();
    void Fonte1Click();
    void Background1Click();
    void Esquerda1Click();
    void Centralizado1Click();
    void Direita1Click();
    void AjudadoDorlinda1Click();
    void Sobre1Click();
    void ToolButton16Click();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void criarMenus();
    void criarBarraDeFerramentas();
    void criarPaineis();
    void posicionarPainel2();

    // True from the first show until the options dialog has been shown once.
    bool PrimeiraAtivacao = false;
    bool m_mostrada = false;
    bool m_ativando = false;
};

extern TFormPrincipal *FormPrincipal;
