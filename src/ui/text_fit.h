// Whether a widget's text fits it: measured with the widget's own font (after its style
// sheet), alignment and word wrap, as Qt lays it out. What the layout checks of every
// language use, and the dialogs when they shrink a text to fit.
#pragma once

#include <QString>

class QWidget;

namespace text_fit {

// Why the text the widget shows does not fit it ("" when it fits, and for a widget that
// shows no text, rich text or only a picture): labels, buttons and line edits (their text,
// else their placeholder).
QString clipOf(QWidget* widget);

} // namespace text_fit
