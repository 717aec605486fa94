#include "ui/device_dialog.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

DeviceDialog::DeviceDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

void DeviceDialog::moveInWindow(int x, int y) {
    QPoint pos(x, y);
    if (QWidget* window = dialogs::mainWindow()) {
        // Never hang off the window, whatever size the dialog has.
        pos.setX(qBound(0, x, qMax(0, window->width() - width())));
        pos.setY(qBound(0, y, qMax(0, window->height() - height())));
    }
    move(dialogs::toScreen(pos));
    m_placed = true;
}

bool DeviceDialog::event(QEvent* event) {
    if (event->type() == QEvent::Show && !m_placed) {
        if (QWidget* window = dialogs::mainWindow())
            move(window->mapToGlobal(window->rect().center()) - rect().center());
    }
    if (event->type() == QEvent::ZOrderChange && m_closesWhenCovered) {
        if (m_zOrderSeen)
            close();
        m_zOrderSeen = true;
    }
    return QDialog::event(event);
}

namespace dialogs {

QWidget* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("MainDialog") && w->isVisible())
            return w;
    return nullptr;
}

QPoint toScreen(QPoint windowPos) {
    QWidget* window = mainWindow();
    return window ? window->mapToGlobal(windowPos) : windowPos;
}

namespace {

// The text fits when it stays inside the label and each of its written lines stays on one
// line: a line the label has to wrap on its own reads badly.
bool fits(QLabel* label, const QString& text) {
    label->ensurePolished();
    const QRect room = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetrics fm(label->font());
    if (!room.contains(fm.boundingRect(room, flags, text)))
        return false;
    for (const QString& line : text.split('\n'))
        if (fm.horizontalAdvance(line.trimmed()) > room.width())
            return false;
    return true;
}

} // namespace

namespace {

// Makes the widget's style-sheet font smaller, 2 pt at a time down to 16 pt, until fits().
template <typename Fits> void shrinkUntil(QWidget* widget, Fits fits) {
    static const QRegularExpression size(QStringLiteral("font(-size)?:\\s*(\\d+)pt"));
    while (!fits()) {
        const QString sheet = widget->styleSheet();
        const QRegularExpressionMatch m = size.match(sheet);
        const int pt = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (pt <= 16)
            break;
        QString smaller = sheet;
        smaller.replace(m.capturedStart(2), m.capturedLength(2), QString::number(pt - 2));
        widget->setStyleSheet(smaller);
    }
}

} // namespace

void setFittingText(QLabel* label, const QString& text) {
    label->setText(text); // a label breaks the line at "\r\n" once; measure it that way
    const QString shown = QString(text).replace("\r\n", "\n");
    shrinkUntil(label, [&] { return fits(label, shown); });
}

void setFittingText(QPushButton* button, const QString& text) {
    button->setText(text);
    shrinkUntil(button, [&] {
        button->ensurePolished();
        return QFontMetrics(button->font()).horizontalAdvance(text) <= button->width() - 24;
    });
}

} // namespace dialogs
