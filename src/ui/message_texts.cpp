// Every text a message box shows, for the translation tools: MsgDialog translates its
// texts in the context "Messages", and these marks are where lupdate finds them. A text
// that comes from below the window (the mail's result, the analysis) is listed here too.
#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const kMessageTexts[] = {
    // answers and titles
    QT_TRANSLATE_NOOP("Messages", "OK"),
    QT_TRANSLATE_NOOP("Messages", "Yes"),
    QT_TRANSLATE_NOOP("Messages", "No"),
    QT_TRANSLATE_NOOP("Messages", "Cancel"),
    QT_TRANSLATE_NOOP("Messages", "Connect"),
    QT_TRANSLATE_NOOP("Messages", "Delete"),
    QT_TRANSLATE_NOOP("Messages", "Error"),
    QT_TRANSLATE_NOOP("Messages", "Success"),
    QT_TRANSLATE_NOOP("Messages", "Unable to screen"),
    // screening
    QT_TRANSLATE_NOOP("Messages", "User Name cannot be empry!"),
    QT_TRANSLATE_NOOP("Messages", "User Name cannot contain \",\" or \"|\"!"),
    QT_TRANSLATE_NOOP("Messages", "User Name cannot contain control characters!"),
    QT_TRANSLATE_NOOP("Messages", "ID can hold only letters, digits and \"-\"!"),
    QT_TRANSLATE_NOOP("Messages", "Date is not valid!"),
    QT_TRANSLATE_NOOP("Messages", "Camera Open Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Vedio File Open Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Please move the cross sign \r\nto the center"),
    QT_TRANSLATE_NOOP("Messages", "Please lower the ambient \r\nbrightness to below 20"),
    QT_TRANSLATE_NOOP("Messages", "The camera was restarted. \r\nPlease start again"),
    QT_TRANSLATE_NOOP("Messages", "Camera unavailable. \r\nPlease restart the device"),
    QT_TRANSLATE_NOOP("Messages", "No Response"),
    QT_TRANSLATE_NOOP("Messages", "Saved. It will be analysed \r\nwhen the network is back."),
    QT_TRANSLATE_NOOP("Messages",
                      "Too many results are waiting. \r\nConnect to the network first."),
    QT_TRANSLATE_NOOP("Messages", "Save File Error"),
    // history
    QT_TRANSLATE_NOOP("Messages", "No Record Selected"),
    QT_TRANSLATE_NOOP("Messages", "Please select ONE record"),
    QT_TRANSLATE_NOOP("Messages", "Open File Error"),
    QT_TRANSLATE_NOOP("Messages", "Delete Records"),
    QT_TRANSLATE_NOOP("Messages", "Not analysed yet"),
    // printing and mail
    QT_TRANSLATE_NOOP("Messages", "No Printer ID Config!"),
    QT_TRANSLATE_NOOP("Messages", "Connect to Server Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Printer ID cannot contain \"|\"!"),
    QT_TRANSLATE_NOOP("Messages", "E-mail address is not valid!"),
    QT_TRANSLATE_NOOP("Messages", "Failed to connect to host!"),
    QT_TRANSLATE_NOOP("Messages", "Failed to login!"),
    QT_TRANSLATE_NOOP("Messages", "Failed to send mail!"),
    // settings, power, update
    QT_TRANSLATE_NOOP("Messages", "Restore"),
    QT_TRANSLATE_NOOP("Messages", "Power Off"),
    QT_TRANSLATE_NOOP("Messages", "Low Battery"),
    QT_TRANSLATE_NOOP("Messages", "20% battery remaining"),
    QT_TRANSLATE_NOOP("Messages", "System Update"),
    QT_TRANSLATE_NOOP("Messages", "No New Version!"),
    QT_TRANSLATE_NOOP("Messages", "System Update Success!"),
    QT_TRANSLATE_NOOP("Messages", "System Update Failed!"),
    QT_TRANSLATE_NOOP("Messages", "System Switch Success!"),
    QT_TRANSLATE_NOOP("Messages", "System Switch Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Version Check Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Version List File Download Failed!"),
    // Wi-Fi
    QT_TRANSLATE_NOOP("Messages", "Connect to Network"),
    QT_TRANSLATE_NOOP("Messages", "Connect to the unsafe network?"),
    QT_TRANSLATE_NOOP("Messages", "Wrong Password!"),
    QT_TRANSLATE_NOOP("Messages", "Connect Failed!"),
    QT_TRANSLATE_NOOP("Messages", "Delete Failed!"),
};

} // namespace
