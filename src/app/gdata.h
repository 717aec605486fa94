// GData: the application's one service object. main makes it and hands it to the window and
// the worker threads; g_pData points at it for the few places that have no other way.
//
// The declaration groups the members by subsystem; each subsystem defines its own
// operations in its own folder (gdata_<subsystem>.cpp) and keeps the logic itself in small
// free functions beside them. Members written by one thread and read by another are atomics
// under their usual names.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "capture/osal_queue.h"

#include "screening/record.h"
#include "sensors/calibration_store.h"
#include "sensors/distance_filter.h"
#include "sensors/tilt_filter.h"

class QApplication;
class common;
class CamCfg;
class V4l2Device;
class cedarxutil;
struct AviFile;
struct VersionInfo;

// One encoded frame on its way from the encoder to the recording file; it owns its bytes.
struct H264Frame {
    int key = 0;
    int size = 0;
    std::unique_ptr<unsigned char[]> data;

    // A copy of `size` bytes, or null when the memory cannot be had.
    static std::unique_ptr<H264Frame> copyOf(const unsigned char* bytes, int size, int key);
};

class GData : public QObject {
    Q_OBJECT
public:
    explicit GData(QObject* parent = nullptr);
    ~GData() override;

    // ---- Application core (src/app) --------------------------------------------------
    void Init(QApplication* app);
    void InitData();
    void InitCommonAndConfig();
    void InitConfigParameter();
    QDateTime getLocalTime() const;
    // Folder of the executable, where the settings and history live; a test may point
    // it elsewhere before InitCommonAndConfig.
    QString appDir() const { return m_strAppDir; }
    QString m_strAppDir;

    QApplication* m_pApp = nullptr;
    std::unique_ptr<common> m_pCommon;
    std::unique_ptr<CamCfg> m_pCamCfg;

    // ---- Settings mirrors (settings file values) ---------------------------------------
    int m_nExposure = 0;         // value 0
    int m_nGain = 0;             // value 1
    int m_nSharpness = 0;        // value 2
    int m_nLedLoop = 0;          // value 3
    int m_nCameraReserved = 0;   // value 4
    QString m_strTimeZone;       // value 7
    int m_nScreenOffTime = -1;   // value 8, minutes, -1 never
    int m_nShutdownTime = -1;    // value 9, minutes, -1 never
    int m_nReferralCriteria = 0; // value 10: 0 Arnold, 1 Matta, 2 Arthur2
    int m_nRegion = 0;           // value 11: 0 US, 1 India, 2 China, 3 Philippines
    bool m_bFocusAuto = false;   // value 13
    int m_nPitchOffset = 0;      // value 14, or the calibration store
    int m_nDistanceOffset = 0;   // value 15, or the calibration store

    // ---- Current screening record (src/screening) ---------------------------------------
    QString m_strName;
    bool m_bMale = true;
    QDate m_dateBirth; // invalid until entered
    QDateTime m_dtTestTime;
    QString m_strODSph, m_strODCyl, m_strODAxis;
    QString m_strOSSph, m_strOSCyl, m_strOSAxis;
    QString m_strPD;
    QString m_strReferral;
    QString m_strPhotoResult;

    ScreeningRecord record() const; // the current record as stored and printed
    int getMonthofAge() const;
    int calculateMatta() const;
    int calculateArnold() const;
    int calculateArthur2() const;
    int calculateReferral() const;

    // Analysis of a recording: 1 when the record was filled from the reply.
    int uploadAVIFile();
    QString getRegionString(int region);

    // Receipts: "OK" or "Error".
    QString httpPrintString(QString& text);
    QString httpPrintResult();
    QString httpPrintTestpage();

    // Result mail: the recipient and HTML body set by the export, sent by the mail job.
    QString m_strMailTo;
    QString m_strMailBody;
    QString smtpSend(const QString& to, const QString& subject, const QString& html, bool ssl);
    QString smtpSendReport();

    // History file <application directory>/CAMCFG/result.txt
    QString historyFile() const;
    bool saveTestResult();
    QString readTestResult();
    bool saveDeleteResult(const QString& text);

    // ---- Capture geometry, buffers and state (src/capture) ------------------------------
    int m_nCameraWidth = 1920, m_nCameraHeight = 1080;
    int m_nDisplayWidth = 1920, m_nDisplayHeight = 1080;
    int m_nEncodeWidth = 1920, m_nEncodeHeight = 1080;
    int m_nPreviewWidth = 880, m_nPreviewHeight = 330;

    // Camera device and the frame last pulled (frame-pump thread).
    std::unique_ptr<V4l2Device> m_pV4l2Device;
    std::atomic<bool> m_bCameraOpened{false};
    unsigned char* m_pFrameVir = nullptr;
    unsigned char* m_pFramePhy = nullptr;
    int m_nFrameLen = 0;
    int m_nFrameTag = 0;
    bool V4l2DeviceOpen();
    void V4l2DeviceClose();
    bool V4l2DevicePullFrame();
    int V4l2DevicePushFrame();
    int getCameraRetryCount();
    void setCameraRetryCount(int count);

    // Preview image in the display buffer; the GUI copies it under m_previewLock.
    unsigned char* m_pPreviewBuf = nullptr;
    std::mutex m_previewLock;
    std::atomic<unsigned> m_nLumaMean{0};
    std::atomic<unsigned> m_nLumaGradient{0};
    int RAW2IMG();
    int convert_raw_to_img_buffer_scale(unsigned char* src, unsigned char* dst, unsigned w,
                                        unsigned h, unsigned outW, unsigned outH);

    // Encoder and the queue of encoded frames (frame pump -> recording thread).
    std::unique_ptr<cedarxutil> m_pCedarx;
    unsigned char* m_pH264Buf = nullptr; // encoder output, width x height / 2 bytes
    int m_nH264Len = 0;
    unsigned char m_bH264Key = 0;
    OSAL_QUEUETYPE m_queueH264;
    std::unique_ptr<H264Frame> m_pH264Frame; // dequeued, not yet written
    int RAW2H264();
    void H264Enqueue();
    bool H264Dequeue();
    void H264Emptyqueue();

    // Recording file.
    // The recording file is opened on the GUI thread (or the recording thread at start-up)
    // and written and closed on the recording thread: the lock hands it over.
    std::mutex m_aviLock;
    AviFile* m_pAVI = nullptr;
    bool AVIFileOpen();
    void AVIFileWrite();
    int AVIFileClose();

    // Capture state shared by the GUI and the capture threads.
    std::atomic<int> m_nCameraState{0}; // 0 idle, 1 preview, 2 recording, 3 recorded
    std::atomic<bool> m_bPreviewEnable{false};
    std::atomic<bool> m_bFlashOn{false};
    std::atomic<qint64> m_tRecordStart{0};
    std::atomic<int> m_nAutoStartCount{0};
    void FlashOn();
    void FlashOff();

    // ---- Sensors and power (src/sensors) -------------------------------------------------
    // Latest readings, written by the sensor thread, read by the GUI.
    std::atomic<int> m_nDistance{0}; // cm, or a negative code of getDistance
    std::atomic<int> m_nPitch{0};    // degrees with the offset, or -1
    bool m_bRangingReady = false;    // sensor initialised and ranging (sensor thread)
    int initRangingSensor(int bus, unsigned char address);
    int getDistance();
    int getDOF();

    DistanceFilter m_distanceFilter; // sensor thread only
    TiltFilter m_tiltFilter;         // sensor thread only

    bool getSensorCalibrationData(sensor_calibrate_data_t& data);
    bool setSensorCalibrationData(const sensor_calibrate_data_t& data);
    bool backupSensorCalibrationData();
    QString sensorCalibrationFile() const;

    // Battery, charger and panel (GUI thread).
    bool m_bScreenOn = true;
    int getUSBPresentState();
    int getBatteryPercent();
    int screenOff();
    int screenOn();

    // ---- HTTP and text helpers (src/net) -------------------------------------------------
    bool httpGetRequest(const QString& url, int timeoutSeconds, QByteArray& out);
    // Streams the body into `path` (flushed to storage), stopping as soon as more than
    // `maxBytes` arrive; `received` counts what came.
    bool httpGetToFile(const QString& url, int timeoutSeconds, const QString& path, qint64 maxBytes,
                       qint64& received);
    QString urldecode(const char* text);

    // ---- Wi-Fi (src/system) ---------------------------------------------------------------
    // The lists and texts below are written by the Wi-Fi worker and the GUI's Wi-Fi
    // operations and read by the GUI: they are guarded by m_wifiLock.
    mutable std::mutex m_wifiLock;
    QStringList m_listWifiLevel, m_listWifiFlags, m_listWifiSsid; // visible, strongest first
    QStringList m_listSavedSsid;                                  // configured, in list order
    QString m_strConnectedSsid;
    QString m_strLastSsid, m_strLastBssid; // association the DHCP client last ran for
    std::atomic<int> m_iRssi{0};           // dBm, 0 no value
    int m_nJoinPollMs = 1000;              // addWIFI's wait between status polls

    struct WifiView {
        QStringList levels, flags, ssids, saved;
        QString connected;
    };
    WifiView wifiView() const;

    QString SSIDDecode(const QString& text);
    QString getWIFIInfo();
    void getRSSI();
    void analyseWIFIStatus(QString& answer);
    void analyseWIFIAPList(QString& answer);
    void analyseWIFIResult(QString& answer);
    bool addWIFI(const QString& ssid, const QString& psk);
    bool switchWIFI(const QString& ssid);
    bool deleteWIFI(const QString& ssid);

    // ---- Connectivity and maintenance (src/system) ---------------------------------------
    QString m_strVersion = QStringLiteral("v2.6.5-R");
    std::atomic<bool> m_bTimeSynced{false};
    bool updateTimeFromeWeb();
    void timerInternetTime();
    std::atomic<bool> m_bWifiRefresh{false};

    // Firmware update. The new-version fields are written by the background check (Wi-Fi
    // worker) and by the GUI's own check: guarded by m_versionLock.
    std::mutex m_versionLock;
    QString m_strNewVerFile;
    int m_iNewVerSize = 0;
    QString m_strNewVerMD5;
    QString m_strVersionList;
    std::atomic<bool> m_bVersionChecked{false};
    std::atomic<bool> m_bNewVersion{false};
    qint64 m_tLastVersionCheck = 0; // worker only
    int versionListGet();
    int versionCheck();
    int versionCheck(const QString& file);
    void timerVersionCheck();
    bool versionDownlod();
    bool versionMD5Check();
    bool versionCopy();
    void versionDelete();
    void cfgFileDelete();

private:
    int fetchVersionFile(const QString& file, VersionInfo& info);
    void storeNewVersion(const VersionInfo& info);

    std::vector<unsigned char> m_h264Storage;
};

extern GData* g_pData;
