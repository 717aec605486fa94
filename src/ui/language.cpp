#include "ui/language.h"

#include "core/log.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QResource>
#include <QTranslator>

#include <memory>

namespace language {

bool known(const QString& code) {
    for (const Language& l : kLanguages)
        if (code == QLatin1StringView(l.code))
            return true;
    return false;
}

Languages::Languages() = default;

// The translator and the fonts go with the state that added them.
Languages::~Languages() {
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    for (int id : m_fontIds)
        QFontDatabase::removeApplicationFont(id);
}

bool Languages::apply(const QString& code) {
    const QString wanted = known(code) ? code : QString::fromLatin1(kDefault);
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    m_current = QString::fromLatin1(kDefault);
    bool loaded = true;
    if (wanted != QLatin1StringView(kDefault)) {
        auto translator = std::make_unique<QTranslator>();
        loaded = translator->load(":/i18n/vistrel_" + wanted + ".qm");
        if (loaded && QCoreApplication::installTranslator(translator.get())) {
            m_translator = std::move(translator);
            m_current = wanted;
        } else {
            qCWarning(lcUi, "the %s translation could not be loaded", qPrintable(wanted));
            loaded = false;
        }
    }
    return loaded;
}

void Languages::loadFonts() {
    if (!m_families.isEmpty())
        return;
    for (const QString& file : QDir(":/fonts").entryList(QDir::Files, QDir::Name)) {
        // In place when the resource is stored as it is (the build stores the fonts so):
        // the font is then no copy on the heap, and only the pages FreeType reads are
        // resident, which in English are few.
        const QResource resource(":/fonts/" + file);
        const int id =
            resource.compressionAlgorithm() == QResource::NoCompression
                ? QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                      reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size())))
                : QFontDatabase::addApplicationFont(resource.fileName());
        if (id < 0)
            qCWarning(lcUi, "the font %s could not be added", qPrintable(file));
        else
            m_families << QFontDatabase::applicationFontFamilies(id);
        if (id >= 0)
            m_fontIds << id;
    }
    // The family the font resolves to, not its name: a name that is only an alias
    // ("Sans Serif", or one fontconfig maps) is no family to Qt, which would then take
    // the first embedded font for everything, Latin letters and spaces included.
    QFont font = QApplication::font();
    font.setFamilies(QStringList{QFontInfo(font).family()} + m_families);
    QApplication::setFont(font);
}

} // namespace language
