// What the settings pages show for stored values, widget-free.
#pragma once

#include <QString>

namespace settings_text {

// The referral criterion of a settings code (0 Arnold, 1 Matta, 2 Arthur2): its name and
// the mark shown beside it; empty for another code.
QString criterionName(int code);
QString criterionMark(int code);
// The referral page's sub-page that describes a criterion code.
int referralSubPage(int code);

} // namespace settings_text
