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

namespace {

std::unique_ptr<QTranslator> g_translator;
QString g_current = QString::fromLatin1(kDefault);
QStringList g_families;

} // namespace

bool known(const QString& code) {
    for (const Language& l : kLanguages)
        if (code == QLatin1StringView(l.code))
            return true;
    return false;
}

bool apply(const QString& code) {
    const QString wanted = known(code) ? code : QString::fromLatin1(kDefault);
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    g_current = QString::fromLatin1(kDefault);
    bool loaded = true;
    if (wanted != QLatin1StringView(kDefault)) {
        auto translator = std::make_unique<QTranslator>();
        loaded = translator->load(":/i18n/vistrel_" + wanted + ".qm");
        if (loaded && QCoreApplication::installTranslator(translator.get())) {
            g_translator = std::move(translator);
            g_current = wanted;
        } else {
            qCWarning(lcUi, "the %s translation could not be loaded", qPrintable(wanted));
            loaded = false;
        }
    }
    return loaded;
}

QString current() {
    return g_current;
}

void loadFonts() {
    if (!g_families.isEmpty())
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
            g_families << QFontDatabase::applicationFontFamilies(id);
    }
    // The family the font resolves to, not its name: a name that is only an alias
    // ("Sans Serif", or one fontconfig maps) is no family to Qt, which would then take
    // the first embedded font for everything, Latin letters and spaces included.
    QFont font = QApplication::font();
    font.setFamilies(QStringList{QFontInfo(font).family()} + g_families);
    QApplication::setFont(font);
}

QStringList embeddedFamilies() {
    return g_families;
}

} // namespace language
