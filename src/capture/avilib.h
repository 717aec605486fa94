// A small AVI (RIFF) writer for one video stream: a 2048-byte header area reserved at the
// start, one "00db" chunk per frame, and the "idx1" index appended at close.
#pragma once

#include <string>

#include <cstdint>
#include <vector>

struct AviIndexEntry {
    char id[4];
    uint32_t flags;  // 0x10 for a key frame
    uint32_t offset; // file position of the frame's chunk header
    uint32_t size;   // frame bytes, without header and padding
};

struct AviFile {
    int fdes = -1;
    int mode = 0; // 0 write, 1 read
    int width = 0, height = 0;
    double fps = 0;
    char compressor[4] = {0, 0, 0, 0};
    long video_frames = 0;
    long max_len = 0;
    int64_t pos = 0;
    std::vector<AviIndexEntry> idx; // capacity grows in steps of 4096 entries
    int64_t last_pos = 0;
    long last_len = 0;
    int must_use_index = 0;
    int anum = 0;
};

constexpr int64_t AVI_MAX_LEN = 4278188031LL; // 2^32 - 1 - 16 MiB - 2048
constexpr int AVI_HEADER_BYTES = 2048;
constexpr int AVI_INDEX_STEP = 4096;

enum AviError {
    AVI_ERR_SIZELIM = 1,
    AVI_ERR_OPEN = 2,
    AVI_ERR_READ = 3,
    AVI_ERR_WRITE = 4,
    AVI_ERR_WRITE_INDEX = 5,
    AVI_ERR_CLOSE = 6,
    AVI_ERR_NOT_PERM = 7,
    AVI_ERR_NO_MEM = 8,
    AVI_ERR_NO_AVI = 9,
    AVI_ERR_NO_HDRL = 10,
    AVI_ERR_NO_MOVI = 11,
    AVI_ERR_NO_VIDS = 12,
    AVI_ERR_NO_IDX = 13,
};

// The last error of this thread's AVI calls, as errno is for the system's: each thread
// (the recording thread, a test) sees its own.
extern thread_local int AVI_errno;
extern const char* const avi_errors[15];

AviFile* AVI_open_output_file(const char* filename);
void AVI_set_video(AviFile* avi, int width, int height, double fps, const char* compressor);
int AVI_write_frame(AviFile* avi, const char* data, long bytes, int keyframe);
int AVI_close(AviFile* avi);

std::string AVI_strerror();
void AVI_print_error(const char* str);
