#pragma once
// The remote control: steps through the folder from the enlarged view and runs the timed slide
// show. Compact it shows the three picture buttons; expanded, the period list and the slide-show
// buttons too.
#include "Forms.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

class FormRemote : public LoadableForm {
    Q_OBJECT
public:
    FormRemote();

    QPushButton *CmdRemBack, *CmdRemFwd, *CmdExpand;
    QLabel *LabelSlide;
    QListWidget *ListInterval; // the 21 periods in seconds
    QLabel *LabelInterval;
    QPushButton *CmdSlide, *CmdCancel;

    // The period list's text: the selected entry's, empty with none selected.
    QString listText() const;
    // Selects the entry of that text; false, with the selection unchanged, when there is none.
    bool setListText(const QString &text);

    void Form_Load() override;
    // The outer height as last set, in twips: under 1000 compact, over 1000 expanded. Never read
    // back from the screen, where the window manager's frame adds to what the window shows.
    int Height() const { return m_heightTwips; }

public slots:
    void CmdRemBack_Click();
    void CmdRemFwd_Click();
    void CmdExpand_Click();
    void CmdSlide_Click();
    void CmdCancel_Click();

private:
    // The step buttons: the picture at that position, in the main window and the enlarged view.
    void step(int position);
    // Sizes and places in twips (outer values), as the main window's screen figures give them.
    void compact();
    void expanded();
    void placeOuter(double leftTwips, double topTwips, int widthTwips, int heightTwips);
    int m_twips;
    int m_heightTwips = 0;
};
