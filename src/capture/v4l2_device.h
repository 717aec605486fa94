// The board's V4L2 capture device: negotiation, a small ring of memory-mapped driver
// buffers, streaming, one frame held at a time, and the gain and exposure controls.
#pragma once

struct FrameBufferEntry {
    void* start;
    unsigned long phy;
    unsigned length;
};

class V4l2Device {
public:
    V4l2Device(int width, int height);

    int open_device();
    int close_device();
    int start_capture();
    void stop_capture();
    // Waits for the next frame (up to 2 s) and takes it from the driver. 0 on success. The
    // second dequeue failure in a row asks for a restart of the application (once per
    // device: the application ends then); with no restart left, the camera stays off and
    // failures are tried again every 100 ms without logging each one.
    int pull_frame(void** start, void** phys, int* tag, int* length, bool fill);
    // Gives the held frame back to the driver.
    int push_frame();
    void set_gain(int value);
    void set_exposure(int value);
    int get_gain();
    int get_exposure();

    unsigned bufferCount() const { return m_nBufferCount; }
    // The camera failed with no restart left: it stays off until the board restarts.
    bool gaveUp() const { return m_bGaveUp; }

private:
    int control(unsigned long request, unsigned id, int* value);
    void setControl(unsigned id, const char* name, int value);
    int getControl(unsigned id, const char* name);
    int dequeueFailed();

    FrameBufferEntry* m_pBuffers = nullptr;
    int m_nFd = -1;
    unsigned m_nBufferCount = 5;
    int m_nCurrentIndex = -1;
    unsigned m_nWidth, m_nHeight;
    int m_nDqbufErrors = 0; // failures in a row, frame-pump thread only
    bool m_bRestartAsked = false;
    bool m_bGaveUp = false; // no restart left; logged once
};

// What a second consecutive dequeue failure does: end the application with this exit code
// so that the supervisor starts it again. By default the exit is queued to the main
// thread's event loop; tests replace the action.
void setCameraRestartAction(void (*action)(int exitCode));
