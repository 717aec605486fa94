#include "core/settings.h"

#include "core/log.h"

Settings::Settings(QObject* parent) : QObject(parent) {}

void Settings::load(const QString& appDir) {
    m_cfg.m_strAppPath = appDir;
    const QString text = m_cfg.readCFG4File();
    if (text.isEmpty()) {
        m_cfg.resetDefaultCFG();
        m_cfg.save();
    } else if (m_cfg.parseCurrentCFG() == "1") {
        m_cfg.save();
    }
}

bool Settings::storable(const QString& value) {
    return !value.contains(u'|') && !value.contains(u'\n') && !value.contains(u'\r');
}

bool Settings::store(CamCfg::Value index, const QString& value) {
    if (!storable(value)) {
        qCWarning(lcCore, "settings: value %d refused, it holds a separator", int(index));
        return false;
    }
    const bool saved = m_cfg.storeValue(index, value);
    emit changed(index);
    return saved;
}

void Settings::assume(CamCfg::Value index, const QString& value) {
    m_cfg.m_strValue[size_t(index)] = value;
    emit changed(index);
}

bool Settings::resetDefaults() {
    m_cfg.resetDefaultCFG();
    const bool saved = m_cfg.save();
    for (int i = 0; i < CamCfg::ValueCount; ++i)
        emit changed(CamCfg::Value(i));
    return saved;
}
