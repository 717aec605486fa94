// What every screen's controller works with: the window's form, the services, and the
// shell for navigation and messages. A controller owns its screen's slots; it connects
// them to the form's widgets by pointer in its constructor.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QString>

#include <initializer_list>

#include "ui/pages.h"

class GData;
class QLabel;
class WindowShell;
namespace Ui {
class MainDialog;
}

class ScreenController : public QObject, public Pages {
    Q_OBJECT
public:
    ScreenController(WindowShell& shell, QObject* parent, Ui::MainDialog& form, GData& data);

protected:
    // Each of the buttons' clicks runs the slot (the image twins of a button share one).
    template <typename Controller>
    void onClicked(std::initializer_list<QAbstractButton*> buttons, void (Controller::*slot)()) {
        for (QAbstractButton* button : buttons)
            connect(button, &QAbstractButton::clicked, static_cast<Controller*>(this), slot);
    }
    // A name whole when it fits the label, else its start and an ellipsis, never its middle.
    static void showElided(QLabel* label, const QString& text);
    void notice(const QString& text);
    void errorMessage(const QString& text);
    void showNoMenu(int page);
    // Stores a setting at once; a save that fails is said in the log (the pages have no
    // message for it).
    void saveSetting(int index, const QString& value);

    WindowShell& m_shell;
    Ui::MainDialog* ui;
    GData& m_data;
};
