// The camera page's guidance, without widgets: when the distance, the pitch and the
// brightness are right for a recording, how each is shown, and the automatic start after a
// run of ready ticks.
#pragma once

#include <QString>

#include <optional>

namespace guidance {

bool distanceOk(int cm);                            // 95..100
bool pitchOk(int degrees);                          // -7..7
bool brightnessOk(unsigned lumaMean, bool flashOn); // below 20, or the light is on already

struct Readings {
    int distance = 0; // cm, or a negative failure code
    int pitch = 0;    // degrees, or SensorHub::kNoPitch
    unsigned lumaMean = 0;
    bool flashOn = false;
};
bool ready(const Readings& r);

// "---" for no reading, at most "200".
QString distanceText(int cm);
QString pitchText(int degrees); // "---" for no reading
// Where the pitch line stands (its top, in pixels), or nothing when the pitch is off the
// scale.
std::optional<int> pitchLineTop(int degrees);

} // namespace guidance

// With automatic start on, a recording starts once the readings have been ready for
// kTicks ticks of the master timer in a row.
class AutoStart {
public:
    static constexpr int kTicks = 11;
    // One tick: true when the recording should start now.
    bool tick(bool ready) {
        m_count = ready ? m_count + 1 : 0;
        return m_count >= kTicks;
    }
    void reset() { m_count = 0; }
    int count() const { return m_count; }

private:
    int m_count = 0;
};
