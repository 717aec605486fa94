// What a change of language keeps: retranslateUi gives every widget of a form its form
// text again, in the new language, also the labels and edits the pages have filled since
// (a typed name, a result, a setting's value). FormTexts remembers each widget's form text;
// a widget that still shows it takes the new one, any other keeps what it shows.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

class FormTexts {
public:
    // After setupUi: the texts the form gave.
    void remember(QWidget* root);
    // Runs retranslateUi, then gives the filled widgets their texts back.
    void retranslate(QWidget* root, const std::function<void()>& retranslateUi);

private:
    QHash<QWidget*, QString> m_form;
};

// The text a label, button or line edit shows; false for other widgets.
bool widgetText(const QWidget* w, QString* text);
void setWidgetText(QWidget* w, const QString& text);
