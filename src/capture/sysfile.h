// Small writes to the camera driver's parameters and the infrared LED node.
#pragma once

// Writes the text's bytes (no terminator, no line end) to a board file; logs
// "sysfileWrite[<path>]error" when it cannot be opened.
void sysfileWrite(const char* path, const char* text);

// Sends a 4-byte command ("022" or "000" and a zero byte) to the infrared LED node.
void writeIrLed(const char command[4]);
