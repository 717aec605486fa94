// The vendor's encoder API on the device, loaded at run time: the libraries exist only on
// the board (its BSP installs them), so the image links and installs without them. Every
// function is looked up once, on first use; a missing library or function is logged once
// and makes the call fail (no encoder, no memory adapter), so the encoder does not start.
//
// These forwarders carry the API's names but are hidden: a vendor library can never bind
// to them instead of to its own functions.
#include "platform/log.h"
#include "platform/vencoder.h"

#include <QDebug>

#include <dlfcn.h>
#include <mutex>

#define VISTREL_HIDDEN __attribute__((visibility("hidden")))

namespace {

// The vendor's libraries, in dependency order.
const char* const kLibraries[] = {"libcdc_base.so", "libcdc_memory.so", "libcdc_ve.so",
                                  "libcdc_vencoder.so"};

struct Api {
    ScMemOps* (*MemAdapterGetOpsS)() = nullptr;
    VideoEncoder* (*VideoEncCreate)(int) = nullptr;
    void (*VideoEncDestroy)(VideoEncoder*) = nullptr;
    int (*VideoEncSetParameter)(VideoEncoder*, int, void*) = nullptr;
    int (*VideoEncGetParameter)(VideoEncoder*, int, void*) = nullptr;
    int (*VideoEncInit)(VideoEncoder*, VencBaseConfig*) = nullptr;
    int (*FlushCacheAllocInputBuffer)(VideoEncoder*, VencInputBuffer*) = nullptr;
    int (*AddOneInputBuffer)(VideoEncoder*, VencInputBuffer*) = nullptr;
    int (*VideoEncodeOneFrame)(VideoEncoder*) = nullptr;
    int (*AlreadyUsedInputBuffer)(VideoEncoder*, VencInputBuffer*) = nullptr;
    int (*GetOneBitstreamFrame)(VideoEncoder*, VencOutputBuffer*) = nullptr;
    int (*FreeOneBitStreamFrame)(VideoEncoder*, VencOutputBuffer*) = nullptr;
    bool complete = false;
};

template <typename F> bool lookUp(void* const (&handles)[4], const char* name, F& out) {
    for (void* h : handles) {
        if (h && (out = reinterpret_cast<F>(::dlsym(h, name))))
            return true;
    }
    qCWarning(lcPlatform, "vendor encoder: function %s not found", name);
    return false;
}

const Api& api() {
    static Api a;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handles[4] = {};
        bool loaded = true;
        for (int i = 0; i < 4; ++i) {
            handles[i] = ::dlopen(kLibraries[i], RTLD_NOW | RTLD_GLOBAL);
            if (!handles[i]) {
                qCWarning(lcPlatform, "vendor encoder: cannot load %s: %s", kLibraries[i],
                          ::dlerror());
                loaded = false;
            }
        }
        if (!loaded)
            return;
        void* const(&h)[4] = handles;
        a.complete = lookUp(h, "MemAdapterGetOpsS", a.MemAdapterGetOpsS) &
                     lookUp(h, "VideoEncCreate", a.VideoEncCreate) &
                     lookUp(h, "VideoEncDestroy", a.VideoEncDestroy) &
                     lookUp(h, "VideoEncSetParameter", a.VideoEncSetParameter) &
                     lookUp(h, "VideoEncGetParameter", a.VideoEncGetParameter) &
                     lookUp(h, "VideoEncInit", a.VideoEncInit) &
                     lookUp(h, "FlushCacheAllocInputBuffer", a.FlushCacheAllocInputBuffer) &
                     lookUp(h, "AddOneInputBuffer", a.AddOneInputBuffer) &
                     lookUp(h, "VideoEncodeOneFrame", a.VideoEncodeOneFrame) &
                     lookUp(h, "AlreadyUsedInputBuffer", a.AlreadyUsedInputBuffer) &
                     lookUp(h, "GetOneBitstreamFrame", a.GetOneBitstreamFrame) &
                     lookUp(h, "FreeOneBitStreamFrame", a.FreeOneBitStreamFrame);
    });
    return a;
}

} // namespace

extern "C" {

VISTREL_HIDDEN ScMemOps* MemAdapterGetOpsS() {
    return api().complete ? api().MemAdapterGetOpsS() : nullptr;
}
VISTREL_HIDDEN VideoEncoder* VideoEncCreate(int codec) {
    return api().complete ? api().VideoEncCreate(codec) : nullptr;
}
VISTREL_HIDDEN void VideoEncDestroy(VideoEncoder* e) {
    if (api().complete)
        api().VideoEncDestroy(e);
}
VISTREL_HIDDEN int VideoEncSetParameter(VideoEncoder* e, int index, void* param) {
    return api().complete ? api().VideoEncSetParameter(e, index, param) : -1;
}
VISTREL_HIDDEN int VideoEncGetParameter(VideoEncoder* e, int index, void* param) {
    return api().complete ? api().VideoEncGetParameter(e, index, param) : -1;
}
VISTREL_HIDDEN int VideoEncInit(VideoEncoder* e, VencBaseConfig* config) {
    return api().complete ? api().VideoEncInit(e, config) : -1;
}
VISTREL_HIDDEN int FlushCacheAllocInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    return api().complete ? api().FlushCacheAllocInputBuffer(e, input) : -1;
}
VISTREL_HIDDEN int AddOneInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    return api().complete ? api().AddOneInputBuffer(e, input) : -1;
}
VISTREL_HIDDEN int VideoEncodeOneFrame(VideoEncoder* e) {
    return api().complete ? api().VideoEncodeOneFrame(e) : -1;
}
VISTREL_HIDDEN int AlreadyUsedInputBuffer(VideoEncoder* e, VencInputBuffer* input) {
    return api().complete ? api().AlreadyUsedInputBuffer(e, input) : -1;
}
VISTREL_HIDDEN int GetOneBitstreamFrame(VideoEncoder* e, VencOutputBuffer* output) {
    return api().complete ? api().GetOneBitstreamFrame(e, output) : -1;
}
VISTREL_HIDDEN int FreeOneBitStreamFrame(VideoEncoder* e, VencOutputBuffer* output) {
    return api().complete ? api().FreeOneBitStreamFrame(e, output) : -1;
}

} // extern "C"
