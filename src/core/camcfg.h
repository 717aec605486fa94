// The settings file: sixteen positional values in one line, separated by "|".
#pragma once

#include <QString>

#include <array>

class CamCfg {
public:
    // Positions of the values in the file.
    enum Value {
        Exposure = 0,       // camera exposure
        Gain = 1,           // camera gain
        Sharpness = 2,      // shown in the sharpness label when the camera page opens
        LedLoop = 3,        // IR LED loop count of a recording
        CameraReserved = 4, // reserved camera parameter
        Resolution = 5,     // reserved capture resolution text
        AnalysisServer = 6, // reserved analysis server address
        TimeZone = 7,       // hours, decimal text
        ScreenOffTime = 8,  // minutes, -1 never
        ShutdownTime = 9,   // minutes, -1 never
        ReferralCriteria = 10,
        Region = 11,
        PrinterId = 12,
        FocusAuto = 13, // automatic recording start: "1" on, "0" off
        PitchOffset = 14,
        DistanceOffset = 15,
        Language = 16, // the screens' language: "en", "hi", "zh_CN" or "fil"; last, so older
                       // files read with the default and older versions skip it
        ValueCount = 17
    };

    static QString defaultValue(int index);

    // Where the settings live: <application directory>/CAMCFG/config.txt.
    QString m_strAppPath;
    // The file text, as last read or generated.
    QString m_strCfgText;
    std::array<QString, ValueCount> m_strValue;

    QString filePath() const;

    QString resetDefaultCFG();
    QString dogenCurrentCFG();
    QString parseCurrentCFG();
    QString saveCFG2File();
    // Stores value `index`, regenerates the text and saves it: true when it reached the
    // file. The one way a settings page changes a setting.
    bool storeValue(int index, const QString& value);
    // Regenerates the text and saves it: true when it reached the file.
    bool save();
    QString readCFG4File();
};
