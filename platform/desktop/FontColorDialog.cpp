#include "FontColorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// The sixteen basic colours of the classic font dialogs.
struct NamedColor {
    const char *name;
    QRgb rgb;
};
const NamedColor BasicColors[] = {
    {QT_TRANSLATE_NOOP("FontColorDialog", "Preto"), 0x000000},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Marrom"), 0x800000},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Verde"), 0x008000},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Verde-oliva"), 0x808000},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Azul-marinho"), 0x000080},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Roxo"), 0x800080},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Azul-petróleo"), 0x008080},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Cinza"), 0x808080},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Prateado"), 0xC0C0C0},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Vermelho"), 0xFF0000},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Verde-limão"), 0x00FF00},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Amarelo"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Azul"), 0x0000FF},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Fúcsia"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Água"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("FontColorDialog", "Branco"), 0xFFFFFF},
};

QIcon swatch(const QColor &c)
{
    QPixmap p(16, 12);
    p.fill(c);
    QPainter painter(&p);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, p.width() - 1, p.height() - 1);
    return QIcon(p);
}

} // namespace

FontColorDialog::FontColorDialog(QWidget *parent, Offers offers)
    : QDialog(parent)
    , m_font(new QFontDialog(this))
    , m_color(new QComboBox(this))
{
    setWindowTitle(tr("Fonte"));
    // The stock font dialog is embedded as a plain widget; this dialog owns the buttons.
    m_font->setWindowFlags(Qt::Widget);
    m_font->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_font->setObjectName("FontPart");
    m_color->setObjectName("ColorBox");
    for (const NamedColor &c : BasicColors)
        m_color->addItem(swatch(QColor(c.rgb)), tr(c.name), QColor(c.rgb));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    auto *label = new QLabel(tr("&Cor:"), this);
    label->setBuddy(m_color);
    colorRow->addWidget(label);
    colorRow->addWidget(m_color, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_font);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);

    if (offers == Offers::FontOnly) {
        label->hide();
        m_color->hide();
        // The stock dialog's effects are the group that holds its check boxes. Its sample shared
        // their row: alone it keeps room for a line of a large font.
        for (QGroupBox *group : m_font->findChildren<QGroupBox *>()) {
            if (!group->findChildren<QCheckBox *>().isEmpty())
                group->hide();
            else if (QLineEdit *sample = group->findChild<QLineEdit *>())
                sample->setMinimumHeight(3 * group->fontMetrics().height());
        }
    }
    // Esc closes this dialog: the font part, a dialog of its own made a plain widget, would
    // otherwise take it and hide itself.
    m_font->installEventFilter(this);
}

bool FontColorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_font && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel)) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FontColorDialog::setCurrentFont(const QFont &font)
{
    // A family the system only stands in for (Times New Roman shown in Liberation Serif) is not in
    // the dialog's list: the dialog shows the face that stands in, and gives the family back as
    // it was asked for unless another is chosen.
    m_asked = font.family();
    QFont shown = font;
    if (!QFontDatabase::families().contains(m_asked, Qt::CaseInsensitive))
        shown.setFamily(QFontInfo(font).family());
    m_font->setCurrentFont(shown);
    m_shown = m_font->currentFont().family();
}

QFont FontColorDialog::currentFont() const
{
    QFont font = m_font->currentFont();
    if (!m_asked.isEmpty() && font.family() == m_shown)
        font.setFamily(m_asked);
    return font;
}

void FontColorDialog::setCurrentColor(const QColor &color)
{
    int i = m_color->findData(color);
    if (i < 0) {
        // A colour outside the basic sixteen stays choosable as it is.
        m_color->addItem(swatch(color), color.name(), color);
        i = m_color->count() - 1;
    }
    m_color->setCurrentIndex(i);
}

QColor FontColorDialog::currentColor() const
{
    return m_color->currentData().value<QColor>();
}
