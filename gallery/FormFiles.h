#pragma once
// The folder browser: drive, folder and file lists, the picture-type filter, a preview and the six
// store and retrieve buttons. Loaded hidden at start-up and kept loaded until shut-down. Its file
// list is the picture list of the whole program.
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

    // The full path of the file at index of the file list: the folder list's folder, a "/" unless
    // the file list's folder already ends in one, and the file's name (none for an index outside
    // the list). selectedFilePath() is that of the selected file.
    QString filePath(int index) const;
    QString selectedFilePath() const { return filePath(File1->ListIndex()); }
    // Shown at its working size (8600 x 7170 twips, frame included) where it was last put, in front.
    void showAtWorkingSize();

    void Form_Load() override;

public slots:
    // The message for a stored folder that cannot be opened.
    void DoError();

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void File1_Click();
    void File1_DblClick();
    void CmdClose_Click();
    void Form_KeyDown(int KeyCode, int Shift);
    void OptionAll_Click();
    void OptionBMP_Click();
    void OptionGIF_Click();
    void OptionJPG_Click();
    void CmdCopy_Click();
    void Form_Click();
    void Form_DblClick();
    void Frame1_Click();
    void Frame1_DblClick();
    void ImageFile_Click();
    void ImageFile_DblClick();
    void Form_MouseMove();
    // Store button N (1..6): the save dialog for slot N (an open dialog is turned to slot N, the
    // name typed so far kept).
    void CmdStore_Click(int n);
    // Retrieve button N (1..6): opens stored folder N in the browser.
    void CmdRetrieve_Click(int n);

protected:
    // The browser stays loaded for the whole run: its close box closes it as Esc does.
    void closeEvent(QCloseEvent *event) override;
    // Enter presses the focused button, or "&Close" (the default button) when no button has the focus.
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPattern(const QString &pattern);
    // The pattern of one picture type ("&BMP", "&GIF", "&JPG").
    void setOneTypePattern(const QString &pattern);
    void resetMainWindowToEmpty();
    void closeToMainWindow();
    // The save dialog stays above the browser: each of the browser's clicks brings it to the front.
    void saveDialogToFront();
    int m_twips;
};
