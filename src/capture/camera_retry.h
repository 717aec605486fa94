// The camera restarts left since the board started, counted in the board's /tmp so that
// they survive the application's own restarts (2 when nothing is counted yet).
#pragma once

// The application's exit code when it ends so that the supervisor restarts the camera.
inline constexpr int kCameraRestartExit = 1;

int getCameraRetryCount();
void setCameraRetryCount(int count);
