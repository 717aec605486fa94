// The languages of the screens: English (the source texts), Hindi, Simplified Chinese and
// Filipino, their translations compiled into the resources (":/i18n/vistrel_<code>.qm"),
// and the fonts embedded for the scripts the board has none for. Receipts, mails and
// exports stay in English: printers, mail readers and peers may lack the fonts or parse
// them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

namespace language {

struct Language {
    const char* code;       // as stored in the settings
    const char* nativeName; // as the Language page lists it, in its own script
};
inline constexpr Language kLanguages[] = {
    {"en", "English"},
    {"hi", "हिन्दी"},
    {"zh_CN", "简体中文"},
    {"fil", "Filipino"},
};
inline constexpr const char* kDefault = "en";

// Whether the code is one of kLanguages.
bool known(const QString& code);

// The language state of the screens: the translator in force and the embedded fonts. The
// window owns the one the device has; Qt's translators and fonts are the application's, so
// there is one at a time.
class Languages {
public:
    Languages();
    ~Languages();
    Languages(const Languages&) = delete;
    Languages& operator=(const Languages&) = delete;

    // Makes `code` the application's language (an unknown one counts as English): its
    // translator replaces the previous one, and every window gets QEvent::LanguageChange.
    // False when its translation could not be loaded (the screens then stay in English).
    bool apply(const QString& code);
    QString current() const { return m_current; }

    // Adds the embedded fonts once, and makes the application font fall back on them for
    // the scripts the device's own font lacks.
    void loadFonts();
    // The families loadFonts added.
    QStringList embeddedFamilies() const { return m_families; }

private:
    std::unique_ptr<QTranslator> m_translator;
    QString m_current = QString::fromLatin1(kDefault);
    QStringList m_families;
    QList<int> m_fontIds;
};

} // namespace language
