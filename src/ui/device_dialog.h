// What every dialog of the device shares: a frameless translucent window, placed by
// positions in the main window's coordinates (on the device the window covers the screen,
// so these are screen pixels), centred on the main window when no position was given, and,
// for the keyboards, closing when another window comes over them.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QLineEdit;

class DeviceDialog : public QDialog {
    Q_OBJECT
public:
    explicit DeviceDialog(QWidget* parent = nullptr);

    // Places the dialog at (x, y) of the main window, kept inside the window.
    void moveInWindow(int x, int y);

protected:
    // The first change of stacking order comes with showing the dialog; a later one means
    // another window came over it, and the dialog goes.
    void setClosesWhenCovered(bool on) { m_closesWhenCovered = on; }
    bool event(QEvent* event) override;

private:
    bool m_placed = false;
    bool m_closesWhenCovered = false;
    bool m_zOrderSeen = false;
};

namespace dialogs {

// The application's main window, or null (positions are then screen pixels).
QWidget* mainWindow();
// Where a point of the main window is on the screen.
QPoint toScreen(QPoint windowPos);

// Shows `text` in `label`, with the label's style-sheet font made smaller, 2 pt at a time
// down to 16 pt, until the text fits with each of its written lines on one line: no dialog
// text is clipped or spills into more lines than it was written in.
void setFittingText(QLabel* label, const QString& text);
// The same for a button's one line, keeping 12 pixels clear on each side.
void setFittingText(QPushButton* button, const QString& text);

} // namespace dialogs
