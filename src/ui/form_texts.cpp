#include "ui/form_texts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

bool widgetText(const QWidget* w, QString* text) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        *text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(w))
        *text = b->text();
    else if (auto* e = qobject_cast<const QLineEdit*>(w))
        *text = e->text();
    else
        return false;
    return true;
}

void setWidgetText(QWidget* w, const QString& text) {
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(text);
}

void FormTexts::remember(QWidget* root) {
    m_form.clear();
    QString text;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (widgetText(w, &text))
            m_form.insert(w, text);
}

void FormTexts::retranslate(QWidget* root, const std::function<void()>& retranslateUi) {
    QHash<QWidget*, QString> shown;
    QString text;
    for (auto it = m_form.cbegin(); it != m_form.cend(); ++it)
        if (widgetText(it.key(), &text) && text != it.value())
            shown.insert(it.key(), text); // filled by a page since
    retranslateUi();
    remember(root);
    for (auto it = shown.cbegin(); it != shown.cend(); ++it)
        setWidgetText(it.key(), it.value());
}
