#pragma once
// TEMPORARY stand-ins for the shared picture box and drive/folder/file lists, until the platform's
// own controls arrive; only what start-up and shut-down use.
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QComboBox>
#include <QWidget>

class TempImageBox : public QWidget {
    Q_OBJECT
public:
    explicit TempImageBox(QWidget *parent = nullptr);
    bool loadPicture(const QString &path);   // by content; false leaves the old picture
    void clearPicture() { m_picture = QImage(); update(); }
    void setPicture(const QImage &img) { m_picture = img; update(); }
    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    bool stretch() const { return m_stretch; }
    void setStretch(bool on) { m_stretch = on; update(); }
signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
private:
    QImage m_picture;
    bool m_stretch = false;
};

class TempDirList : public QListWidget {
    Q_OBJECT
public:
    explicit TempDirList(QWidget *parent = nullptr);
    QString path() const { return m_path; }
    bool setPath(const QString &path); // raises Change when the folder differs; false when unusable
signals:
    void Change();
private:
    QString m_path;
};

class TempDriveList : public QComboBox {
    Q_OBJECT
public:
    explicit TempDriveList(QWidget *parent = nullptr);
    QString drive() const { return currentText(); }
    QString currentFolder() const; // the folder last used on the drive
    bool setDrive(const QString &pathOrDrive); // raises Change when the drive differs
signals:
    void Change();
};

class TempFileList : public QListWidget {
    Q_OBJECT
public:
    explicit TempFileList(QWidget *parent = nullptr);
    QString path() const { return m_path; }
    void setPath(const QString &path);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    int listCount() const { return count(); }
    int listIndex() const { return currentRow(); }
private:
    void refresh();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};
