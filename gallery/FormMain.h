#pragma once
// The main window: viewing area, thumbnail column, button row, the shared state of the gallery,
// start-up (Form_Load) and shut-down (Form_Unload).
#include "Controls.h"
#include "Forms.h"
#include "ImageBox.h"

#include <QPushButton>
#include <QTimer>
#include <array>
#include <memory>
#include <utility>

class SingleInstance;

class FormMain : public LoadableForm {
    Q_OBJECT
    Q_PROPERTY(QString Content MEMBER Content)
    Q_PROPERTY(QString TextNoteFontName MEMBER TextNoteFontName)
    Q_PROPERTY(QString TextNoteFontSize MEMBER TextNoteFontSize)
    Q_PROPERTY(QString TextNoteFontItalic MEMBER TextNoteFontItalic)
    Q_PROPERTY(QString TextNoteFontBold MEMBER TextNoteFontBold)
    Q_PROPERTY(int iHorzRes MEMBER iHorzRes)
    Q_PROPERTY(int iVertRes MEMBER iVertRes)
    Q_PROPERTY(int iLogX MEMBER iLogX)
    Q_PROPERTY(int PixelScale MEMBER PixelScale)
    Q_PROPERTY(int NCount MEMBER NCount)
    Q_PROPERTY(float Ratio MEMBER Ratio)
    Q_PROPERTY(bool StopThumb MEMBER StopThumb)
    Q_PROPERTY(float ZoomValue MEMBER ZoomValue)
    Q_PROPERTY(QString Dir1Value MEMBER Dir1Value)
    Q_PROPERTY(QString Save1Dir MEMBER Save1Dir)
    Q_PROPERTY(QString Save1Caption MEMBER Save1Caption)
    Q_PROPERTY(QString Save2Dir MEMBER Save2Dir)
    Q_PROPERTY(QString Save2Caption MEMBER Save2Caption)
    Q_PROPERTY(QString Save3Dir MEMBER Save3Dir)
    Q_PROPERTY(QString Save3Caption MEMBER Save3Caption)
    Q_PROPERTY(QString Save4Dir MEMBER Save4Dir)
    Q_PROPERTY(QString Save4Caption MEMBER Save4Caption)
    Q_PROPERTY(QString Save5Dir MEMBER Save5Dir)
    Q_PROPERTY(QString Save5Caption MEMBER Save5Caption)
    Q_PROPERTY(QString Save6Dir MEMBER Save6Dir)
    Q_PROPERTY(QString Save6Caption MEMBER Save6Caption)
    Q_PROPERTY(int ListIndexStore MEMBER ListIndexStore)
    Q_PROPERTY(int SplashTime MEMBER SplashTime)
    Q_PROPERTY(bool HelpActive MEMBER HelpActive)
    Q_PROPERTY(bool SlideOn MEMBER SlideOn)
    Q_PROPERTY(int Tick MEMBER Tick)
    Q_PROPERTY(int Interval MEMBER Interval)
    Q_PROPERTY(QString ListIntervalValue MEMBER ListIntervalValue)
    Q_PROPERTY(QString CheckThumbValue MEMBER CheckThumbValue)
public:
    FormMain();
    ~FormMain() override;

    // Shared state, in its order of declaration.
    QString Content;
    QString TextNoteFontName;
    QString TextNoteFontSize;
    QString TextNoteFontItalic;
    QString TextNoteFontBold;
    int iHorzRes = 0;
    int iVertRes = 0;
    int iLogX = 0;
    int PixelScale = 0;
    int NCount = 0;
    float Ratio = 0;
    bool StopThumb = false;
    float ZoomValue = 0;
    QString Dir1Value;
    QString Save1Dir, Save1Caption, Save2Dir, Save2Caption, Save3Dir, Save3Caption;
    QString Save4Dir, Save4Caption, Save5Dir, Save5Caption, Save6Dir, Save6Caption;
    int ListIndexStore = 0;
    int SplashTime = 0;
    bool HelpActive = false;
    bool SlideOn = false;
    int Tick = 0;
    int Interval = 0;
    QString ListIntervalValue;
    QString CheckThumbValue;

    // Controls.
    ImageBox *Imagemain;
    ImageBox *ImageThumb1, *ImageThumb2, *ImageThumb3, *ImageThumb4;
    CheckBox *CheckThumb;
    CommandButton *CmdFiles, *CmdSize, *CmdCopy, *CmdPrint, *CmdHelp, *CmdNoteShow, *CmdClose;
    CommandButton *CmdHome, *CmdBackFour, *CmdBackOne, *CmdFwdOne, *CmdFwdFour, *CmdEnd;
    ImageBox *ImageWeb;
    PictureBox *PictureScale;
    QTimer *Timer2;
    CommonDialog *CommonDialog1; // the print dialog
    CommonDialog *CommonDialog2; // the note-font dialog

    ImageBox *thumb(int n) const; // 1..4
    // Moves the four thumbnail places to the parked position (Left 32000).
    void parkThumbnails();
    // The last picture of a list of three or more is current with the column filled for it: NCount
    // -1 and place 1 holding that picture.
    bool lastPictureCurrent();

    // The stored folder locations by slot (1..6).
    QString &saveDir(int slot);
    QString &saveCaption(int slot);

    // FormNote.cpp
    // The twelve controls of the button row that the note view parks, with their home Lefts
    // (pixels), in the order they are parked and put back.
    std::array<std::pair<QWidget *, int>, 12> noteRow() const;
    // Puts them back at their home Lefts.
    void noteRowHome();

    // FormMainPicture.cpp
    // While the picture is shown at its own size, the size button offers "&Restore": the timer's
    // tick and the pointer moving over the browser or the enlarged view say so. True when it does.
    bool offerRestore();

    void Form_Load() override;
    void Form_Unload(int &cancel) override;

public slots:
    // FormMain.cpp
    void CmdClose_Click();

    // FormMainPicture.cpp
    void DoFilePrep();
    void DoSelectPicture();
    void DoThumbs();
    void DoScale();
    void DoThumbScale();
    void DoActual();
    void CmdSize_Click();

    // FormMainNavigation.cpp
    void DoTimer();
    void CmdHome_Click();
    void CmdBackFour_Click();
    void CmdBackOne_Click();
    void CmdFwdOne_Click();
    void CmdFwdFour_Click();
    void CmdEnd_Click();
    void CheckThumb_Click();
    void ImageThumb1_Click();
    void ImageThumb2_Click();
    void ImageThumb3_Click();
    void ImageThumb4_Click();
    void ImageThumb1_DblClick();

    // FormMainTimer.cpp
    void Timer2_Timer();

    // FormMainKeys.cpp
    void Form_KeyDown(int KeyCode, int Shift);

    // FormMainHelp.cpp
    void DoHelp();
    void CmdHelp_Click();
    void ImageWeb_Click();
    // Help page 1 ("intro.fig"), 2 ("controls.fig") or 3 ("limitations.fig") in the viewing area at
    // its own size, at Left 7, Top 3; the link area and the area's enabled state are left as they are.
    void ShowHelpPage(int page);
    // Ends help mode: the controls that work on pictures come back, the thumbnail places stretch
    // again (hidden when the thumbnails are off) and DoFilePrep shows the current folder.
    void LeaveHelp();

    // FormMainMouse.cpp
    void Form_Click();
    void Form_DblClick();
    void Imagemain_Click();
    void Imagemain_DblClick();
    void Imagemain_MouseDown(int Button, int Shift, double X, double Y);
    void CmdFiles_Click();
    void CmdCopy_Click();
    void CmdPrint_Click();
    void CmdNoteShow_Click();

    // With their windows: FormBlowUp.cpp, FormRemote.cpp, FormInfo.cpp, FormNote.cpp
    void DoBlowUp();
    void DoSlide();
    void DoInfo();
    void DoNoteView();
    void DoNote();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // FormMain.cpp
    // Twips per pixel, as start-up worked it out.
    int twips() const { return PixelScale > 0 ? PixelScale : 15; }
    void readSettings();
    // False, with the reason, when the settings file cannot be written.
    bool writeSettings(QString *error);
    void layOutControls();
    void placeWindow();

    // FormMainPicture.cpp
    // Steps shared by DoScale and DoThumbScale: the fit, the caption and the offer of actual size.
    void fitViewingArea();
    // Ends the actual-size view ("&Restore"): fitted again, the thumbnails left as they are.
    void fittedViewAgain();
    // The name of the selected file as the caption shows it.
    QString shownFileName() const;
    QString zoomCaption() const;
    QString hundredCaption() const;
    // Starts decoding the picture after the current one (after the thumbnail column when it is
    // filled), at its fitted size, on a worker thread.
    void prepareNextPicture();

    // FormMainNavigation.cpp
    // The remote control's step buttons (referring to them loads it, hidden).
    QWidget *remoteBack();
    QWidget *remoteFwd();
    // The remote control's height in twips (referring to it loads it, hidden).
    int remoteHeightTwips();
    // Brings a visible folder browser to the front at the main window's Top + 300, Left + 400 twips.
    void browserBesideMain();
    // Brings the window to the front at the main window's Top and Left plus the twips given.
    void moveBesideMain(QWidget *window, int belowTwips, int rightTwips);
    // A click on a thumbnail place: its first steps, then its help button in help mode, else its picture.
    void thumbClick(int place);
    void thumbClickWindows(int place);
    // What a click on a thumbnail place outside help mode does after enabling the viewing area
    // (the keys 1 to 4 leave that out).
    void showThumb(int place);
    // The list position of the picture that place holds, as the column was last filled; -1 for none.
    int thumbPosition(int place);
    // The first steps of "Next image", "Next four images", "Previous image", "Previous four images".
    void stepStart();
    // In the last-picture state with the thumbnails on (only place 1 left in a list of more than
    // four): shows the picture before the last through DoFilePrep.
    void lastPictureStep();
    // The steps of "Next image", "Previous image", "Next four images" and "Previous four images"
    // after their first steps; the keys run them after steps of their own.
    void nextPicture();
    void previousPicture();
    void fourForward();
    void fourBack();
    // The navigation buttons while the thumbnail column is off.
    void buttonsWithoutColumn();

    // FormMainTimer.cpp

    // FormMainKeys.cpp
    void keyStepStart();
    void helpPageByKey(int page);
    void leaveHelpByKey();
    bool thumbKeyActs(int place);
    void showThumbByKey(int place);

    // FormMainHelp.cpp
    // While disabled the link area lets clicks through to the viewing area under it.
    void linkAreaFollowsEnabled();
    // The help branch of a click on thumbnail place 1 to 4 (the help buttons).
    void helpButtonClick(int place);

    // FormMainMouse.cpp
    // The picture-loaded test of the viewing area's clicks: more than 4 square pixels with a side
    // over 2 pixels.
    bool pictureLoaded() const;
    // Shows the enlarged view of the picture (the information window closed).
    void showEnlargedView();


    std::unique_ptr<SingleInstance> m_instance;
    bool m_secondCopy = false;
    bool m_inTick = false;
};
