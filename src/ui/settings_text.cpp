#include "ui/settings_text.h"

namespace settings_text {
namespace {

struct Criterion {
    const char* name;
    const char* mark;
};
const Criterion kCriteria[] = {{"Arnold", ":/png/history/1@2x.png"},
                               {"Matta", ":/png/history/2@2x.png"},
                               {"Arthur2", ":/png/history/3@2x.png"}};

bool known(int code) {
    return code >= 0 && code <= 2;
}

} // namespace

QString criterionName(int code) {
    return known(code) ? QString::fromLatin1(kCriteria[code].name) : QString();
}

QString criterionMark(int code) {
    return known(code) ? QString::fromLatin1(kCriteria[code].mark) : QString();
}

int referralSubPage(int code) {
    return code == 1 ? 0 : code == 0 ? 2 : 1;
}

} // namespace settings_text
