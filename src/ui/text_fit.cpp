#include "ui/text_fit.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <algorithm>

namespace text_fit {

namespace {

// A label breaks a line once at "\r\n".
QString written(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The height the text's glyphs take in `lines` lines: the line boxes between them, and the
// ink of the tallest line (a line box's leading above and below the ink may overhang the
// widget unseen).
int inkHeight(const QFontMetrics& fm, const QString& text, int lines) {
    int ink = 0;
    for (const QString& line : text.split('\n'))
        ink = std::max(ink, fm.tightBoundingRect(line).height());
    return (lines - 1) * fm.lineSpacing() + ink;
}

QString labelClip(QLabel* label) {
    const QString text = written(label->text());
    if (text.isEmpty())
        return QString();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        // Laid out as the label lays it out: a document of the label's width and font.
        QTextDocument doc;
        doc.setDocumentMargin(0); // as a label lays out its rich text
        doc.setDefaultFont(label->font());
        doc.setHtml(text);
        doc.setTextWidth(label->contentsRect().width());
        if (doc.size().height() > label->contentsRect().height() ||
            doc.idealWidth() > label->contentsRect().width() + 1) // a 100% table rounds up
            return QString("rich text needs %1 x %2 px, has %3 x %4")
                .arg(int(doc.idealWidth()))
                .arg(int(doc.size().height()))
                .arg(label->contentsRect().width())
                .arg(label->contentsRect().height());
        return QString();
    }
    const QRect room = label->contentsRect();
    const QFontMetrics fm(label->font());
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = fm.boundingRect(room, flags, text);
    const int lines = std::max(1, (needed.height() + fm.lineSpacing() / 2) / fm.lineSpacing());
    if (inkHeight(fm, text, lines) > room.height())
        return QString("\"%1\" needs %2 px of height, has %3")
            .arg(text)
            .arg(inkHeight(fm, text, lines))
            .arg(room.height());
    if (!label->wordWrap())
        for (const QString& line : text.split('\n'))
            if (fm.horizontalAdvance(line.trimmed()) > room.width())
                return QString("\"%1\" needs %2 px of %3")
                    .arg(line.trimmed())
                    .arg(fm.horizontalAdvance(line.trimmed()))
                    .arg(room.width());
    return QString();
}

QString buttonClip(QAbstractButton* button) {
    const QString text = written(button->text());
    if (text.isEmpty())
        return QString();
    const QFontMetrics fm(button->font());
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    const QStringList lines = text.split('\n');
    for (const QString& line : lines)
        if (fm.horizontalAdvance(line) + icon + 8 > button->width())
            return QString("\"%1\" needs %2 px of %3")
                .arg(line)
                .arg(fm.horizontalAdvance(line) + icon + 8)
                .arg(button->width());
    if (inkHeight(fm, text, int(lines.size())) > button->height())
        return QString("\"%1\" needs %2 px of height, has %3")
            .arg(text)
            .arg(inkHeight(fm, text, int(lines.size())))
            .arg(button->height());
    return QString();
}

QString editClip(QLineEdit* edit) {
    const QString text = edit->text().isEmpty() ? edit->placeholderText() : edit->text();
    if (text.isEmpty())
        return QString();
    const QFontMetrics fm(edit->font());
    // The frame and the edit's own text margins.
    const int room = edit->width() - 8;
    if (fm.horizontalAdvance(text) > room)
        return QString("\"%1\" needs %2 px of %3")
            .arg(text)
            .arg(fm.horizontalAdvance(text))
            .arg(room);
    return QString();
}

} // namespace

QString clipOf(QWidget* widget) {
    if (widget->width() <= 0 || widget->height() <= 0)
        return QString();
    widget->ensurePolished();
    if (auto* l = qobject_cast<QLabel*>(widget))
        return labelClip(l);
    if (auto* b = qobject_cast<QAbstractButton*>(widget))
        return buttonClip(b);
    if (auto* e = qobject_cast<QLineEdit*>(widget))
        return editClip(e);
    return QString();
}

} // namespace text_fit
