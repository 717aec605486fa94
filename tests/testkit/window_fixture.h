// The main window on a virtual board: the fixture every suite of the user interface uses.
#pragma once

#include "testkit/testkit.h"

#include <memory>

#include <QWidget>

class MainDialog;
class Workers;

namespace testkit {

// A DataFixture with a shown MainDialog on it and, when asked for, the application's worker
// threads started from the event loop's first turn, as main does. The workers stop and the
// window goes before the data they work on.
class WindowFixture : public DataFixture {
public:
    explicit WindowFixture(bool workers = false);
    // On a board the test made already (a restart of the application on the same board).
    explicit WindowFixture(const ScopedBoard& onBoard, bool workers = false);
    ~WindowFixture() override;

    MainDialog& window() { return *m_window; }
    // The worker threads; the test fails when the fixture was made without them.
    Workers& workers();
    // A widget of the window by its object name; the test fails when there is none of that
    // name and type.
    template <typename T = QWidget> T* widget(const char* name) {
        return static_cast<T*>(widgetNamed(name, T::staticMetaObject));
    }
    // Runs n master ticks at once.
    void ticks(int n);

private:
    void show(bool workers);
    QWidget* widgetNamed(const char* name, const QMetaObject& type);

    std::unique_ptr<Workers> m_workers;
    std::unique_ptr<MainDialog> m_window;
};

} // namespace testkit
