#include "PrintedPdf.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QTransform>
#include <QtEndian>

#include <memory>

namespace PrintedPdf {

namespace {
QString g_proposed;

// The body of object number n ("n 0 obj" .. "endobj"); empty when there is none.
QByteArray object(const QByteArray &pdf, int n)
{
    const QByteArray head = QByteArray::number(n) + " 0 obj";
    qsizetype at = 0;
    while ((at = pdf.indexOf(head, at)) >= 0) {
        if (at == 0 || pdf[at - 1] == '\n' || pdf[at - 1] == '\r') {
            const qsizetype end = pdf.indexOf("endobj", at);
            return pdf.mid(at + head.size(), end - at - head.size());
        }
        at += head.size();
    }
    return {};
}

int reference(const QByteArray &body, const char *key)
{
    const QRegularExpression re(QStringLiteral("%1\\s+(\\d+)\\s+0\\s+R").arg(QRegularExpression::escape(key)));
    const auto m = re.match(QString::fromLatin1(body));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The dictionary part of an object, without its stream.
QString dictionary(const QByteArray &body)
{
    const qsizetype stream = body.indexOf("stream");
    return QString::fromLatin1(stream < 0 ? body : body.left(stream));
}

QByteArray streamData(const QByteArray &body)
{
    qsizetype start = body.indexOf("stream");
    if (start < 0)
        return {};
    start += 6;
    while (start < body.size() && (body[start] == '\r' || body[start] == '\n'))
        ++start;
    const QByteArray data = body.mid(start, body.lastIndexOf("endstream") - start);
    if (!body.contains("/FlateDecode"))
        return data;
    // zlib data as qUncompress wants it: the expected size (a hint) in front.
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(data.size() * 8), sized.data());
    return qUncompress(sized + data);
}
} // namespace

std::shared_ptr<bool> answerPrintDialog(const QString &pdfFile)
{
    auto answered = std::make_shared<bool>(false);
    QTimer::singleShot(0, [pdfFile, answered] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (printers)
            for (int i = 0; i < printers->count(); ++i)
                if (printers->itemText(i).contains(QStringLiteral("PDF")))
                    printers->setCurrentIndex(i);
        g_proposed = name ? name->text() : QString();
        *answered = true;
        if (pdfFile.isEmpty()) {
            dialog->reject();
            return;
        }
        if (name)
            name->setText(pdfFile);
        dialog->accept();
    });
    return answered;
}

QString proposedFileName()
{
    return g_proposed;
}

Pdf read(const QString &path)
{
    Pdf result;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return result;
    const QByteArray pdf = f.readAll();
    if (!pdf.startsWith("%PDF-"))
        return result;
    result.valid = true;
    static const QRegularExpression objectHead(QStringLiteral("(?:^|\\n)(\\d+) 0 obj"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = objectHead.globalMatch(text); it.hasNext();) {
        const int n = it.next().captured(1).toInt();
        const QByteArray page = object(pdf, n);
        static const QRegularExpression pageType(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
        if (!pageType.match(dictionary(page)).hasMatch())
            continue;
        ++result.pages;
        static const QRegularExpression mediaBox(QStringLiteral("/MediaBox\\s*\\[\\s*([\\d.]+)\\s+([\\d.]+)\\s+([\\d.]+)\\s+([\\d.]+)"));
        const auto box = mediaBox.match(QString::fromLatin1(page));
        const double height = box.hasMatch() ? box.captured(4).toDouble() : 0;
        if (result.pages == 1 && box.hasMatch())
            result.pageSize = QSizeF(box.captured(3).toDouble(), height);
        const QByteArray resources = object(pdf, reference(page, "/Resources"));
        const QByteArray content = streamData(object(pdf, reference(page, "/Contents")));
        // The operators that place pictures: q, Q, cm and Do.
        QList<QTransform> saved;
        QTransform ctm;
        QList<double> operands;
        QByteArray name;
        for (const QByteArray &token : content.simplified().split(' ')) {
            bool isNumber = false;
            const double v = token.toDouble(&isNumber);
            if (isNumber) {
                operands.append(v);
            } else if (token.startsWith('/')) {
                name = token.mid(1);
            } else {
                if (token == "q") {
                    saved.append(ctm);
                } else if (token == "Q" && !saved.isEmpty()) {
                    ctm = saved.takeLast();
                } else if (token == "cm" && operands.size() >= 6) {
                    const auto o = operands.mid(operands.size() - 6);
                    ctm = QTransform(o[0], o[1], o[2], o[3], o[4], o[5]) * ctm;
                } else if (token == "Do") {
                    const QByteArray image = object(pdf, reference(resources, ("/" + name).constData()));
                    static const QRegularExpression w(QStringLiteral("/Width\\s+(\\d+)"));
                    static const QRegularExpression h(QStringLiteral("/Height\\s+(\\d+)"));
                    const QString dict = dictionary(image);
                    const QRectF user = ctm.mapRect(QRectF(0, 0, 1, 1));
                    result.images.append({QRectF(user.left(), height - user.bottom(), user.width(), user.height()),
                                          QSize(w.match(dict).captured(1).toInt(), h.match(dict).captured(1).toInt())});
                }
                operands.clear();
            }
        }
    }
    return result;
}

} // namespace PrintedPdf
