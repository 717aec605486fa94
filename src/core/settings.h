// The settings, once: typed reads over the stored values of the settings file, and one
// way to change a value, which checks it, stores it and saves the file. Services that run
// on other threads do not read this object; they are handed the values they need when a
// value changes (the changed signal), so nothing here is shared across threads.
#pragma once

#include <QObject>
#include <QString>

#include "core/camcfg.h"

class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QObject* parent = nullptr);

    // Reads <appDir>/CAMCFG/config.txt. A missing or empty file gets the defaults, a file
    // with values missing gets them filled in, and either is saved at once.
    void load(const QString& appDir);
    QString appDir() const { return m_cfg.m_strAppPath; }

    QString value(CamCfg::Value index) const { return m_cfg.m_strValue[size_t(index)]; }
    int number(CamCfg::Value index) const { return value(index).toInt(); }
    // The file's text as last generated or read.
    QString fileText() const { return m_cfg.m_strCfgText; }
    QString filePath() const { return m_cfg.filePath(); }

    int exposure() const { return number(CamCfg::Exposure); }
    int gain() const { return number(CamCfg::Gain); }
    int ledLoop() const { return number(CamCfg::LedLoop); }
    QString timeZone() const { return value(CamCfg::TimeZone); }
    int screenOffMinutes() const { return number(CamCfg::ScreenOffTime); }
    int shutdownMinutes() const { return number(CamCfg::ShutdownTime); }
    int referralCriterion() const { return number(CamCfg::ReferralCriteria); }
    int region() const { return number(CamCfg::Region); }
    QString language() const { return value(CamCfg::Language); }
    QString printerId() const { return value(CamCfg::PrinterId); }
    bool focusAuto() const { return number(CamCfg::FocusAuto) != 0; }
    int pitchOffset() const { return number(CamCfg::PitchOffset); }
    int distanceOffset() const { return number(CamCfg::DistanceOffset); }

    // A value the file can hold: its values are separated by "|" on one line, so a value
    // with "|" or a line break would shift every later value.
    static bool storable(const QString& value);

    // Checks, stores and saves one value: true when it reached the file. A value that is
    // not storable is refused and nothing changes.
    bool store(CamCfg::Value index, const QString& value);
    // Takes a value for this run without saving it (the calibration store's offsets win
    // over the file's).
    void assume(CamCfg::Value index, const QString& value);
    // Every value back to its default, saved.
    bool resetDefaults();

signals:
    void changed(CamCfg::Value index);

private:
    CamCfg m_cfg;
};
