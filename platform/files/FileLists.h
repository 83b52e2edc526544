#pragma once
// The drive, folder and file lists of the folder browser.
//
// Events raised by code: setting a list's drive, path or selection from code runs that list's
// handler (the signal named beside it, delivered directly) once, to its end, before the setter
// returns, exactly as the same choice made by the user does. Repopulating or clearing a list
// raises nothing. Connect each signal once, with the default (direct) connection.
//
// Folders are this platform's: "/" separates, paths are absolute and clean, with no "/" at the
// end except the root "/" itself.
#include "ControlPlace.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QListView;


// The drive list (a drop-down list of the drives).
class DriveListBox : public QWidget, public ControlPlace<DriveListBox> {
    Q_OBJECT
    Q_PROPERTY(QString Drive READ Drive WRITE setDrive)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(int ListIndex READ ListIndex)
    CONTROL_PLACE_PROPERTIES
public:
    explicit DriveListBox(QWidget *parent = nullptr);

    // The root of the drive shown ("/", "/media/usb", ...).
    QString Drive() const { return m_drive; }
    // Shows the drive holding the path (a root or any folder on it). When that drive differs
    // from the one shown, raises Change before returning. Returns false when the chosen drive is
    // not available (it is still shown and Change still runs).
    bool setDrive(const QString &path);

    int ListCount() const { return m_roots.size(); }
    QString List(int index) const;
    int ListIndex() const { return m_roots.indexOf(m_drive); }

    QComboBox *comboBox() const { return m_combo; }

signals:
    void Change();

private:
    void fill();
    QComboBox *m_combo;
    QStringList m_roots;
    QString m_drive;
    bool m_filling = false;
};

// The folder list: the folders from the root down to the open one, then the open folder's
// subfolders (no hidden ones). Indexes count from the open folder: List(-1) is the open folder
// (Path), List(-2) its parent, and so on up to the root; List(0) .. List(ListCount - 1) are the
// subfolders. ListIndex is -1 (the open folder) after every change of path.
class DirListBox : public QWidget, public ControlPlace<DirListBox> {
    Q_OBJECT
    Q_PROPERTY(QString Path READ Path WRITE setPath)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
    CONTROL_PLACE_PROPERTIES
public:
    explicit DirListBox(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    // Opens the folder (relative paths from the open one). A folder that cannot be listed is
    // refused: false, and nothing changes. When the folder differs from the open one, raises
    // Change before returning. The folder becomes its drive's current folder.
    bool setPath(const QString &path);
    // Opens the drive's current folder (its root when that folder is gone); false when neither
    // can be listed (the drive is not available).
    bool setPathToDrive(const QString &root);

    int ListCount() const { return m_subfolders.size(); }
    QString List(int index) const;
    int ListIndex() const { return m_listIndex; }
    // Selects an entry without opening it, as a single click does: raises Click. False for an
    // index outside -(levels) .. ListCount - 1.
    bool setListIndex(int index);

    QListView *view() const { return m_view; }

signals:
    void Change();
    void Click();

private:
    void userSelect(int row);
    void userOpen(int row);
    void rebuild();
    int rowOf(int index) const { return index + int(m_ancestors.size()); }
    QString m_path;
    QStringList m_ancestors; // root first, the open folder last
    QStringList m_subfolders; // names
    int m_listIndex = -1;
    QListView *m_view;
    class Model;
    Model *m_model;
};

// The file list: the files of one folder (no folders, no hidden files) that match the pattern,
// in the lists' order. ListIndex -1 means no selection; it becomes -1 whenever the folder or the
// pattern changes.
class FileListBox : public QWidget, public ControlPlace<FileListBox> {
    Q_OBJECT
    Q_PROPERTY(QString Path READ Path WRITE setPath)
    Q_PROPERTY(QString Pattern READ Pattern WRITE setPattern)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
    Q_PROPERTY(QString FileName READ FileName)
    CONTROL_PLACE_PROPERTIES
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    // Lists the folder (relative paths from the present one). A folder that cannot be listed is
    // refused: false, nothing changes. When the folder differs, raises PathChange.
    bool setPath(const QString &path);
    QString Pattern() const { return m_pattern; }
    // When the pattern differs, filters again (no disk read) and raises PatternChange.
    void setPattern(const QString &pattern);

    int ListCount() const { return m_items.size(); }
    QString List(int index) const;
    int ListIndex() const { return m_listIndex; }
    // Selects the file at index (raises Click, also when it was selected already) or clears the
    // selection with -1 (raises Click when a file was selected). False, with nothing changed and
    // nothing raised, for an index outside -1 .. ListCount - 1.
    bool setListIndex(int index);
    // The selected file's name (no folder); empty when none is selected.
    QString FileName() const;
    // Reads the folder again; the selected file stays selected when it is still there (no Click).
    void Refresh();

    QListView *view() const { return m_view; }

signals:
    void Click();
    void DblClick();
    void PathChange();
    void PatternChange();

private:
    void userSelect(int row);
    void userOpen(int row);
    void refilter();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    QStringList m_all;   // every file of the folder, in order
    QStringList m_items; // those matching the pattern
    int m_listIndex = -1;
    QListView *m_view;
    class Model;
    Model *m_model;
};
