// The two capture threads. CameraThread is the frame pump: it pulls every camera frame,
// makes a preview image of one frame in six and, while recording, encodes the frames the
// LED pattern lit. VideoThread is the recording sequencer: it starts the encoder and the
// LED pattern, moves encoded frames into the recording file for at most 6 seconds or
// 18 x the LED loop count frames, then closes everything and tells the window.
//
// On the device both run for the life of the process; requestInterruption() ends them
// (used by tests).
#pragma once

#include <QThread>

class CaptureSession;

class CameraThread : public QThread {
    Q_OBJECT
public:
    explicit CameraThread(CaptureSession& capture, QObject* parent = nullptr);

signals:
    void camera_thread_signal(int code); // 0: a preview image is ready

protected:
    void run() override;

private:
    void pumpOneFrame();

    CaptureSession& m_capture;
    int m_nFrameCount = 0;
    bool m_bFinishFlag = false; // a converted image waits to be announced
};

// Frames a recording keeps under a LED loop of `ledLoop` cycles (18 frames each).
qint64 recordingFrames(int ledLoop);

class VideoThread : public QThread {
    Q_OBJECT
public:
    explicit VideoThread(CaptureSession& capture, QObject* parent = nullptr);

signals:
    void video_thread_signal(int code); // 0: a recording is written and closed

protected:
    void run() override;

private:
    void record(bool startUp);
    bool pause(int ms);

    CaptureSession& m_capture;
};

// The camera driver's LED parameters.
