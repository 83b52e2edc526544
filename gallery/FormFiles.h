#pragma once
// The folder browser: drive, folder and file lists, the picture-type filter, a preview and the six
// store and retrieve buttons. Loaded hidden at start-up and kept loaded until shut-down.
#include "Controls.h"
#include "Forms.h"
#include "FileLists.h"
#include "ImageBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class FormFiles : public LoadableForm {
    Q_OBJECT
    Q_PROPERTY(QString Path MEMBER Path)
    Q_PROPERTY(bool LabelAppear MEMBER LabelAppear)
    Q_PROPERTY(int ButtonID MEMBER ButtonID)
public:
    FormFiles();

    // Shared state read and written by other windows.
    QString Path;
    bool LabelAppear = false;
    int ButtonID = 0;

    DriveListBox *Drive1;
    DirListBox *Dir1;
    FileListBox *File1;
    QGroupBox *Frame1;
    QPushButton *cmdStore1, *CmdStore2, *CmdStore3, *CmdStore4, *CmdStore5, *CmdStore6;
    QPushButton *CmdRetrieve1, *CmdRetrieve2, *CmdRetrieve3, *CmdRetrieve4, *CmdRetrieve5, *CmdRetrieve6;
    QPushButton *CmdClose;
    QPushButton *CmdCopy;
    OptionButton *OptionAll, *OptionBMP, *OptionGIF, *OptionJPG;
    QLabel *LabelNoDrive;
    QLabel *LabelNoFile;
    ImageBox *ImageFile;

    QPushButton *storeButton(int n) const;    // 1..6
    QPushButton *retrieveButton(int n) const; // 1..6

    void Form_Load() override;

public slots:
    void Drive1_Change();
    void Dir1_Change();
    void OptionAll_Click();
    void OptionBMP_Click();
    void OptionGIF_Click();
    void OptionJPG_Click();

protected:
    // The browser stays loaded for the whole run: its close box only hides it, as Esc does.
    void closeEvent(QCloseEvent *event) override;

private:
    void setPattern(const QString &pattern);
    void resetMainWindowToEmpty();
    int m_twips;
};
