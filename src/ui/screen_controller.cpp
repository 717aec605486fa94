#include "ui/screen_controller.h"

#include "ui/window_shell.h"

#include "app/gdata.h"
#include "core/log.h"
#include "core/settings.h"

#include <QAbstractButton>
#include <QLabel>

ScreenController::ScreenController(WindowShell& shell, QObject* parent, Ui::MainDialog& form,
                                   GData& data)
    : QObject(parent), m_shell(shell), ui(&form), m_data(data) {}

void ScreenController::showElided(QLabel* label, const QString& text) {
    label->ensurePolished(); // the style sheet's font
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideRight, label->width()));
}

void ScreenController::notice(const QString& text) {
    m_shell.notice(text);
}

void ScreenController::errorMessage(const QString& text) {
    m_shell.errorMessage(text);
}

void ScreenController::showNoMenu(int page) {
    m_shell.showNoMenu(page);
}

void ScreenController::saveSetting(int index, const QString& value) {
    if (!m_data.settings().store(CamCfg::Value(index), value))
        qCWarning(lcUi, "settings value %d could not be saved", index);
}
