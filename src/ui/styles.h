// The window's placeholder texts and style sheets, in one place: the pages and the keyboard
// handling use these names, never their own copies of the strings.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace style {

// Placeholders shown until the operator types, in the screens' language: the texts the
// form gives the edits, so that one translation serves both.
inline QString namePlaceholder() {
    return QCoreApplication::translate("MainDialog", "Please enter your name");
}
inline QString datePlaceholder() {
    return QCoreApplication::translate("MainDialog", "Year-Month-Date");
}
inline QString printerPlaceholder() {
    return QCoreApplication::translate("MainDialog", "Please enter printer ID");
}
inline const QString kDateTemplate = QStringLiteral("____-__-__");

// The dim look of a placeholder on the input page.
inline const QString kPlaceholder = QStringLiteral("color:rgb(48, 48, 48); font-size: 28pt");
// Typed text on the input page (the edits' frames give them their panel look).
inline const QString kEditTyping = QStringLiteral("color:rgb(136, 138, 133); font-size: 28pt");
// The printer ID field while typing, and its placeholder look.
inline const QString kPrinterTyping =
    QStringLiteral("color:rgb(136, 138, 133); background-color: rgb(24, 24, 24);border-radius:8px; "
                   "font-size: 24pt");
inline const QString kPrinterPlaceholderStyle =
    QStringLiteral("color:rgb(36, 36, 36); background-color: rgb(24, 24, 24);border-radius:8px; "
                   "font-size: 24pt");

// The camera page's word over the preview when the camera has failed for good: the
// guidance's warning red.
inline const QString kCameraUnavailable =
    QStringLiteral("color: rgb(204, 0, 0); background: transparent; font-size: 28pt");

// The Wi-Fi table's scroll bar.
inline const QString kWifiScrollBar = QStringLiteral(
    "QScrollBar:vertical { background: #1E1E1E; width: 16px; }"
    "QScrollBar::handle:vertical { background: #313035; border-radius: 3px; min-height: 80px; }");

// The history tables: black, light text (%1: its size), a dark scroll bar.
inline const QString kHistoryTable = QStringLiteral(
    "QTableView { background-color: rgb(0, 0, 0); color: rgb(243, 243, 243); border: none; "
    "selection-background-color: rgb(30, 30, 30); font-size: %1pt; }"
    "QTableView::item { border: 0px; }"
    "QScrollBar:vertical { background: #1E1E1E; width: 16px; }"
    "QScrollBar::handle:vertical { background: #313035; border-radius: 3px; min-height: 80px; }");

} // namespace style
