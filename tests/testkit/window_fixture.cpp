#include "testkit/window_fixture.h"

#include "app/gdata.h"
#include "system/cmdutil.h"
#include "ui/maindialog.h"

#include <QtTest>

namespace testkit {

WindowFixture::WindowFixture(bool workers) {
    if (!g_pCmdUtil)
        g_pCmdUtil = new CmdUtil(); // lives as long as the process, as on the device
    m_window = std::make_unique<MainDialog>(data(), nullptr, workers);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        QTest::qFail("the main window was not exposed", __FILE__, __LINE__);
}

WindowFixture::~WindowFixture() {
    m_window.reset();
}

Ui::MainDialog* WindowFixture::ui() {
    return m_window->ui;
}

void WindowFixture::ticks(int n) {
    for (int i = 0; i < n; ++i)
        m_window->on_timer();
}

} // namespace testkit
