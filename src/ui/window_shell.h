// What the screens' controllers ask of the window they live in: messages, the setup stack,
// the status bar's clock, the screening screen that other screens hand a child to, the
// guards of the network jobs and the language state.
// The window implements it; the controllers never see the window itself.
#pragma once

class QString;
class ScreeningController;
class SendGuard;
namespace language {
class Languages;
}

class WindowShell {
public:
    virtual void notice(const QString& text) = 0;
    virtual void errorMessage(const QString& text) = 0;
    virtual void showNoMenu(int page) = 0;
    virtual void labelTimeShow() = 0;
    virtual ScreeningController& screening() const = 0;
    // The window's guard of the network job `job` (an UploadDlg mode): one tap, one request.
    virtual SendGuard& sendGuard(int job) = 0;
    // The screens' language and fonts.
    virtual language::Languages& languages() = 0;

protected:
    ~WindowShell() = default;
};
