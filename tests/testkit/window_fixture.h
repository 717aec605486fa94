// The main window on a virtual board: the fixture every suite of the user interface uses.
#pragma once

#include "testkit/testkit.h"

#include <memory>

class MainDialog;
namespace Ui {
class MainDialog;
}

namespace testkit {

// A DataFixture with a shown MainDialog on it (the worker threads only when asked for).
// The window goes before the data it works on; the command layer exists for its life.
class WindowFixture : public DataFixture {
public:
    explicit WindowFixture(bool workers = false);
    ~WindowFixture() override;

    MainDialog& window() { return *m_window; }
    Ui::MainDialog* ui();
    // Runs n master ticks at once.
    void ticks(int n);

private:
    std::unique_ptr<MainDialog> m_window;
};

} // namespace testkit
