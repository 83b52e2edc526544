#pragma once
// The programs' own help viewer: a modeless window showing an HTML help file at its contents.
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the file (HTML, whatever its extension) in the owner's help window, creating the window
    // the first time and bringing it to the front afterwards. False, and nothing shown, when the
    // file is missing or cannot be read.
    static bool showContents(QWidget *owner, const QString &path, const QString &title);
    // The owner's help window, if it has one.
    static HelpWindow *of(QWidget *owner);

    QTextBrowser *browser() const { return m_browser; }
    QString file() const { return m_file; }

private:
    explicit HelpWindow(QWidget *owner);
    bool load(const QString &path);

    QTextBrowser *m_browser;
    QString m_file;
};
