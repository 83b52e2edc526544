#pragma once
// A font dialog that also chooses the text colour (family, style, size, underline, strike-out and
// colour), as the editors' font commands expect, or the font alone (family, style and size).
// Captions follow the application's translation.
#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    enum class Offers { FontEffectsAndColour, FontOnly };
    explicit FontColorDialog(QWidget *parent = nullptr, Offers offers = Offers::FontEffectsAndColour);

    void setCurrentFont(const QFont &font);
    QFont currentFont() const;
    void setCurrentColor(const QColor &color);
    QColor currentColor() const;

    QFontDialog *fontPart() const { return m_font; }
    QComboBox *colorBox() const { return m_color; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFontDialog *m_font;
    QComboBox *m_color;
    QString m_asked; // the family given to setCurrentFont
    QString m_shown; // the family the dialog showed for it
};
