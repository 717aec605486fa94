#include "capture/avilib.h"

#include "core/log.h"

#include "core/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

thread_local int AVI_errno = 0;

const char* const avi_errors[15] = {
    "avilib - No Error",
    "avilib - AVI file size limit reached",
    "avilib - Error opening AVI file",
    "avilib - Error reading from AVI file",
    "avilib - Error writing to AVI file",
    "avilib - Error writing index (file may still be useable)",
    "avilib - Error closing AVI file",
    "avilib - Operation (read/write) not permitted",
    "avilib - Out of memory (malloc failed)",
    "avilib - Not an AVI file",
    "avilib - AVI file has no header list (corrupted?)",
    "avilib - AVI file has no MOVI list (corrupted?)",
    "avilib - AVI file has no video data",
    "avilib - operation needs an index",
    "avilib - Unkown Error",
};

namespace {

constexpr uint32_t kProvisionalSize = 4278185987u; // AVI_MAX_LEN - 2044
constexpr uint32_t kFlagHasIndex = 0x10;
constexpr uint32_t kFlagInterleaved = 0x100;

// Builds the 2048-byte header area.
class HeaderWriter {
public:
    explicit HeaderWriter(unsigned char* out) : m_out(out) {
        std::memset(out, 0, AVI_HEADER_BYTES);
    }
    void tag(const char* fourcc) {
        std::memcpy(m_out + m_at, fourcc, 4);
        m_at += 4;
    }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            m_out[m_at++] = static_cast<unsigned char>(v >> (8 * i));
    }
    void u16(uint16_t v) {
        m_out[m_at++] = static_cast<unsigned char>(v);
        m_out[m_at++] = static_cast<unsigned char>(v >> 8);
    }
    void zeros(int n) { m_at += n; } // already zero
    int at() const { return m_at; }

private:
    unsigned char* m_out;
    int m_at = 0;
};

// The header as it stands: `final` gives the closing header with the frame count, the
// real sizes and the INFO list; otherwise the provisional header written while recording.
void buildHeader(const AviFile* avi, bool final, bool hasIndex, unsigned char* out) {
    const bool noRate = avi->fps < 0.001;
    const uint32_t usPerFrame = noRate ? 0 : static_cast<uint32_t>(1000000 / avi->fps + 0.5);
    const uint32_t rate = noRate ? 0 : static_cast<uint32_t>(avi->fps * 1000000 + 0.5);
    const uint32_t frames = final ? static_cast<uint32_t>(avi->video_frames) : 0;
    const uint32_t flags = final ? (kFlagInterleaved | (hasIndex ? kFlagHasIndex : 0))
                                 : (kFlagInterleaved | kFlagHasIndex);
    const uint32_t moviEnd = static_cast<uint32_t>(avi->pos); // end of the last frame chunk
    const uint32_t fileLength =
        moviEnd + (hasIndex ? 8 + 16 * static_cast<uint32_t>(avi->idx.size()) : 0);

    HeaderWriter h(out);
    h.tag("RIFF");
    h.u32(final ? fileLength - 8 : kProvisionalSize);
    h.tag("AVI ");
    h.tag("LIST");
    h.u32(192);
    h.tag("hdrl");

    h.tag("avih");
    h.u32(56);
    h.u32(usPerFrame);
    h.u32(0); // max bytes per second
    h.u32(0); // padding granularity
    h.u32(flags);
    h.u32(frames);
    h.u32(0); // initial frames
    h.u32(1); // streams
    h.u32(0); // suggested buffer size
    h.u32(static_cast<uint32_t>(avi->width));
    h.u32(static_cast<uint32_t>(avi->height));
    h.zeros(16);

    h.tag("LIST");
    h.u32(116);
    h.tag("strl");
    h.tag("strh");
    h.u32(56);
    h.tag("vids");
    std::memcpy(out + h.at(), avi->compressor, 4);
    h.zeros(4);
    h.u32(0); // flags
    h.u32(0); // priority, language
    h.u32(0); // initial frames
    h.u32(1000000);
    h.u32(rate);
    h.u32(0); // start
    h.u32(frames);
    h.u32(0); // suggested buffer size
    h.u32(0xFFFFFFFFu);
    h.u32(0); // sample size
    h.zeros(8);

    h.tag("strf");
    h.u32(40);
    h.u32(40);
    h.u32(static_cast<uint32_t>(avi->width));
    h.u32(static_cast<uint32_t>(avi->height));
    h.u16(1);
    h.u16(24);
    std::memcpy(out + h.at(), avi->compressor, 4);
    h.zeros(4);
    h.u32(static_cast<uint32_t>(avi->width * avi->height * 3));
    h.zeros(16);

    if (final) {
        h.tag("LIST");
        h.u32(76);
        h.tag("INFO");
        h.tag("ISFT");
        h.u32(64);
        h.zeros(64);
    }
    h.tag("JUNK");
    const int junk = AVI_HEADER_BYTES - 12 - (h.at() + 4);
    h.u32(static_cast<uint32_t>(junk));
    h.zeros(junk);

    h.tag("LIST");
    h.u32(final ? moviEnd - 2044 : kProvisionalSize);
    h.tag("movi");
}

bool writeHeaderAt0(AviFile* avi, bool final, bool hasIndex) {
    unsigned char header[AVI_HEADER_BYTES];
    buildHeader(avi, final, hasIndex, header);
    return ::lseek(avi->fdes, 0, SEEK_SET) == 0 &&
           writeAll(avi->fdes, reinterpret_cast<const char*>(header), AVI_HEADER_BYTES);
}

void putU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

bool addIndexEntry(AviFile* avi, const char* tag, uint32_t flags, int64_t pos, long len) {
    if (avi->idx.size() == avi->idx.capacity()) {
        try {
            avi->idx.reserve(avi->idx.capacity() + AVI_INDEX_STEP);
        } catch (const std::bad_alloc&) {
            AVI_errno = AVI_ERR_NO_MEM;
            return false;
        }
    }
    AviIndexEntry e;
    std::memcpy(e.id, tag, 4);
    e.flags = flags;
    e.offset = static_cast<uint32_t>(pos);
    e.size = static_cast<uint32_t>(len);
    avi->idx.push_back(e);
    return true;
}

bool addChunk(AviFile* avi, const char* tag, const char* data, long length) {
    unsigned char head[8];
    std::memcpy(head, tag, 4);
    putU32(head + 4, static_cast<uint32_t>(length));
    const bool pad = (length & 1) != 0;
    const char zero = 0;
    if (::lseek(avi->fdes, avi->pos, SEEK_SET) != avi->pos ||
        !writeAll(avi->fdes, reinterpret_cast<const char*>(head), 8) ||
        !writeAll(avi->fdes, data, static_cast<size_t>(length)) ||
        (pad && !writeAll(avi->fdes, &zero, 1))) {
        ::lseek(avi->fdes, avi->pos, SEEK_SET);
        AVI_errno = AVI_ERR_WRITE;
        return false;
    }
    avi->pos += 8 + length + (pad ? 1 : 0);
    return true;
}

int closeOutputFile(AviFile* avi) {
    int result = 0;
    const int64_t idxStart = avi->pos;
    // The index: "idx1", its size, then 16 bytes per frame.
    std::vector<unsigned char> idx(8 + 16 * avi->idx.size());
    std::memcpy(idx.data(), "idx1", 4);
    putU32(idx.data() + 4, static_cast<uint32_t>(16 * avi->idx.size()));
    for (size_t i = 0; i < avi->idx.size(); ++i) {
        unsigned char* e = idx.data() + 8 + 16 * i;
        std::memcpy(e, avi->idx[i].id, 4);
        putU32(e + 4, avi->idx[i].flags);
        putU32(e + 8, avi->idx[i].offset);
        putU32(e + 12, avi->idx[i].size);
    }
    bool hasIndex = ::lseek(avi->fdes, idxStart, SEEK_SET) == idxStart &&
                    writeAll(avi->fdes, reinterpret_cast<const char*>(idx.data()), idx.size());
    int64_t end = idxStart + static_cast<int64_t>(idx.size());
    if (!hasIndex) {
        AVI_errno = AVI_ERR_WRITE_INDEX;
        result = -1;
        end = idxStart;
    }
    if (!writeHeaderAt0(avi, true, hasIndex) || ::ftruncate(avi->fdes, end) != 0) {
        AVI_errno = AVI_ERR_CLOSE;
        return -1;
    }
    return result;
}

} // namespace

AviFile* AVI_open_output_file(const char* filename) {
    AviFile* avi = new (std::nothrow) AviFile();
    if (!avi) {
        AVI_errno = AVI_ERR_NO_MEM;
        return nullptr;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    avi->fdes = ::open(filename, O_RDWR | O_CREAT | O_CLOEXEC, 0644 & ~mask);
    if (avi->fdes < 0) {
        AVI_errno = AVI_ERR_OPEN;
        delete avi;
        return nullptr;
    }
    const unsigned char zeros[AVI_HEADER_BYTES] = {};
    if (!writeAll(avi->fdes, reinterpret_cast<const char*>(zeros), AVI_HEADER_BYTES)) {
        ::close(avi->fdes);
        AVI_errno = AVI_ERR_WRITE;
        delete avi;
        return nullptr;
    }
    avi->mode = 0;
    avi->pos = AVI_HEADER_BYTES;
    return avi;
}

void AVI_set_video(AviFile* avi, int width, int height, double fps, const char* compressor) {
    if (avi->mode == 1)
        return;
    avi->width = width;
    avi->height = height;
    avi->fps = fps;
    if (std::strncmp(compressor, "RGB", 3) == 0)
        std::memset(avi->compressor, 0, 4);
    else
        std::memcpy(avi->compressor, compressor, 4);
    if (!writeHeaderAt0(avi, false, true) || ::lseek(avi->fdes, avi->pos, SEEK_SET) != avi->pos)
        AVI_errno = AVI_ERR_CLOSE;
}

int AVI_write_frame(AviFile* avi, const char* data, long bytes, int keyframe) {
    if (avi->mode == 1) {
        AVI_errno = AVI_ERR_NOT_PERM;
        return -1;
    }
    const int64_t needed =
        avi->pos + 8 + bytes + 8 + 16 * (static_cast<int64_t>(avi->idx.size()) + 1);
    if (needed > AVI_MAX_LEN) {
        AVI_errno = AVI_ERR_SIZELIM;
        return -1;
    }
    if (!addIndexEntry(avi, "00db", keyframe ? 0x10 : 0, avi->pos, bytes))
        return -1;
    const int64_t at = avi->pos;
    if (!addChunk(avi, "00db", data, bytes)) {
        avi->idx.pop_back(); // never index a frame that is not in the file
        return -1;
    }
    avi->last_pos = at;
    avi->last_len = bytes;
    avi->video_frames++;
    if (bytes > avi->max_len)
        avi->max_len = bytes;
    return 0;
}

int AVI_close(AviFile* avi) {
    int result = 0;
    if (avi->mode == 0)
        result = closeOutputFile(avi);
    if (::close(avi->fdes) != 0 && result == 0) {
        AVI_errno = AVI_ERR_CLOSE;
        result = -1;
    }
    delete avi;
    return result;
}

std::string AVI_strerror() {
    const int code = AVI_errno >= 15 || AVI_errno < 0 ? 14 : AVI_errno;
    if (code >= AVI_ERR_OPEN && code <= AVI_ERR_CLOSE)
        return std::string(avi_errors[code]) + " - " + std::strerror(errno);
    return avi_errors[code];
}

void AVI_print_error(const char* str) {
    qCWarning(lcCapture, "%s: %s", str, AVI_strerror().c_str());
}
