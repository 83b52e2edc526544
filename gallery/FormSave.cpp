#include "FormSave.h"

#include "AllForms.h"
#include "FormFiles.h"
#include "FormMain.h"
#include "ScreenMetrics.h"
#include "WindowGeometry.h"

FormSave::FormSave()
    : LoadableForm(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_twips(ScreenMetrics::twipsPerPixel())
{
    setObjectName(QStringLiteral("FormSave"));
    setWindowTitle(QStringLiteral("Save Folder Location"));
    const auto px = [this](int twips) { return WindowGeometry::toPixels(twips, m_twips); };
    const auto place = [&](QWidget *w, const char *name, int l, int t, int wd, int ht) {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(px(l), px(t), px(wd), px(ht));
    };
    setFixedSize(px(4515), px(2340));

    TextSave = new QLineEdit(this);
    place(TextSave, "TextSave", 240, 1200, 4020, 372);
    TextSave->setMaxLength(28);
    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    place(cmdOK, "cmdOK", 2760, 1800, 1236, 360);
    CmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    place(CmdCancel, "CmdCancel", 480, 1800, 1236, 360);
    Label1 = new QLabel(QStringLiteral(" "), this);
    place(Label1, "Label1", 240, 156, 3732, 852);
    Label1->setWordWrap(true);
    setTabOrder(TextSave, cmdOK);
    setTabOrder(cmdOK, CmdCancel);

    // OK is the default button: Enter in the name box acts as OK, Enter on a button presses it.
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    CmdCancel->setAutoDefault(true);
    connect(TextSave, &QLineEdit::returnPressed, this, &FormSave::cmdOK_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FormSave::cmdOK_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &FormSave::CmdCancel_Click);
}

void FormSave::Form_Load()
{
    Label1->setText(QStringLiteral(
        "You can save the location of the currently selected folder by clicking OK. The Retrieve button for this "
        "location may be assigned a custom name by typing in the box below (maximum 28 characters)."));
}

QString FormSave::defaultCaption(int slot)
{
    return QStringLiteral("Retrieve Location &%1").arg(slot);
}

QString FormSave::retrieveCaption(const QString &name, int slot)
{
    if (name.isEmpty() || name == QLatin1String(" ") || name == QLatin1String("  "))
        return defaultCaption(slot);
    return name + QStringLiteral(" &%1").arg(slot);
}

void FormSave::showForSlot()
{
    // A dialog that is not shown yet opens over the middle of the browser.
    if (!isVisible()) {
        if (FormFiles *files = Forms::FormFiles.loaded()) {
            const QRect over = WindowGeometry::outer(files);
            const QRect frame = WindowGeometry::outer(this);
            WindowGeometry::setOuterPos(this, over.center().x() - frame.width() / 2,
                                        over.center().y() - frame.height() / 2);
        }
    }
    show();
    raise();
    activateWindow();
    TextSave->setFocus();
}

// Only the slot the last store button chose changes; the folder is the one open in the browser
// now, stored without a check. The settings store gets it when the main window closes.
void FormSave::cmdOK_Click()
{
    FormMain *main = Forms::FormMain;
    FormFiles *files = Forms::FormFiles.get();
    const int slot = files->ButtonID;
    if (main && slot >= 1 && slot <= 6) {
        main->saveDir(slot) = files->Dir1->Path();
        main->saveCaption(slot) = retrieveCaption(TextSave->text(), slot);
        files->retrieveButton(slot)->setText(main->saveCaption(slot));
    }
    unloadForm();
}

void FormSave::CmdCancel_Click()
{
    unloadForm();
}
