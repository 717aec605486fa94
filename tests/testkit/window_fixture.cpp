#include "testkit/window_fixture.h"

#include "app/gdata.h"
#include "app/workers.h"
#include "ui/maindialog.h"

#include <QTimer>

#include <QtTest>

namespace testkit {

WindowFixture::WindowFixture(bool workers) {
    show(workers);
}

WindowFixture::WindowFixture(const ScopedBoard& onBoard, bool workers) : DataFixture(onBoard) {
    show(workers);
}

void WindowFixture::show(bool workers) {
    m_window = std::make_unique<MainDialog>(data());
    if (workers) {
        m_workers = std::make_unique<Workers>(data());
        m_window->connectWorkers(m_workers->camera(), m_workers->video(), m_workers->device());
        QTimer::singleShot(0, m_workers.get(), &Workers::start);
    }
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        QTest::qFail("the main window was not exposed", __FILE__, __LINE__);
}

WindowFixture::~WindowFixture() {
    m_workers.reset();
    m_window.reset();
}

Workers& WindowFixture::workers() {
    if (!m_workers)
        QTest::qFail("the window fixture was made without its workers", __FILE__, __LINE__);
    return *m_workers;
}

QWidget* WindowFixture::widgetNamed(const char* name, const QMetaObject& type) {
    QWidget* found = m_window->findChild<QWidget*>(QString::fromLatin1(name));
    if (!found || !type.cast(found)) {
        // A helper's check fails the test: a renamed widget must not turn a check into a no-op.
        QTest::qFail(
            qPrintable(QString("the window has no %1 named %2").arg(type.className(), name)),
            __FILE__, __LINE__);
        return nullptr;
    }
    return found;
}

void WindowFixture::ticks(int n) {
    for (int i = 0; i < n; ++i)
        m_window->on_timer();
}

} // namespace testkit
