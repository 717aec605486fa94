// The virtual panel: when the application blanks the display, its windows go dark, as the
// board's panel does, until the application lights the display again (a touch does: the
// cover lets touches through to the application). Only in a widget application.
#include "virtual_board.h"

#include <QApplication>
#include <QWidget>

namespace vboard {

namespace {

const char* const kCoverName = "virtualPanelOff";

void cover(QWidget* window, bool dark) {
    auto* c = window->findChild<QWidget*>(kCoverName, Qt::FindDirectChildrenOnly);
    if (!dark) {
        delete c;
        return;
    }
    if (!c) {
        c = new QWidget(window);
        c->setObjectName(kCoverName);
        c->setAttribute(Qt::WA_TransparentForMouseEvents);
        c->setAttribute(Qt::WA_StyledBackground);
        c->setStyleSheet("background-color: rgb(0, 0, 0);");
    }
    c->setGeometry(window->rect());
    c->raise();
    c->show();
}

} // namespace

void showPanel(bool on) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    // The display node may be driven from any thread; widgets live on the GUI thread.
    QMetaObject::invokeMethod(
        app,
        [on] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    cover(w, !on);
        },
        Qt::QueuedConnection);
}

} // namespace vboard
