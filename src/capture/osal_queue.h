// A bounded, mutex-protected queue of element pointers: a closed ring of (max - 1) nodes,
// a node whose element is null being free. Hands encoded frames from the frame pump to the
// recording thread.
#pragma once

#include <pthread.h>

struct OSAL_QueueNode {
    void* element;
    OSAL_QueueNode* next;
};

struct OSAL_QUEUETYPE {
    OSAL_QueueNode* head = nullptr;
    OSAL_QueueNode* tail = nullptr;
    int count = 0;
    void* mutex = nullptr;
    int max = 0;
};

constexpr unsigned OSAL_ERROR_INSUFFICIENT_RESOURCES = 0x80001000u;
constexpr unsigned OSAL_ERROR_UNDEFINED = 0x80001001u;

unsigned OSAL_MutexCreate(void** mutex);
void OSAL_MutexTerminate(void* mutex);
void OSAL_MutexLock(void* mutex);
void OSAL_MutexUnlock(void* mutex);

// Returns false when the ring or its mutex could not be built (the queue stays unusable).
bool OSAL_QueueCreate(OSAL_QUEUETYPE* queue, int max);
void OSAL_QueueTerminate(OSAL_QUEUETYPE* queue);
// 0 when stored at the tail, -1 when full.
int OSAL_Queue(OSAL_QUEUETYPE* queue, void* element);
// The element at the head, or null when empty.
void* OSAL_Dequeue(OSAL_QUEUETYPE* queue);
int OSAL_GetElemNum(OSAL_QUEUETYPE* queue);
