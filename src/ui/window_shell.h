// What the screens' controllers ask of the window they live in: messages, the setup stack,
// the status bar's clock, and the screening screen that other screens hand a child to.
// The window implements it; the controllers never see the window itself.
#pragma once

class QString;
class ScreeningController;

class WindowShell {
public:
    virtual void notice(const QString& text) = 0;
    virtual void errorMessage(const QString& text) = 0;
    virtual void showNoMenu(int page) = 0;
    virtual void labelTimeShow() = 0;
    virtual ScreeningController& screening() const = 0;

protected:
    ~WindowShell() = default;
};
