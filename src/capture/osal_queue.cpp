#include "capture/osal_queue.h"

#include <new>

unsigned OSAL_MutexCreate(void** mutex) {
    auto* m = new (std::nothrow) pthread_mutex_t;
    if (!m)
        return OSAL_ERROR_INSUFFICIENT_RESOURCES;
    if (pthread_mutex_init(m, nullptr) != 0) {
        delete m;
        return OSAL_ERROR_UNDEFINED;
    }
    *mutex = m;
    return 0;
}

void OSAL_MutexTerminate(void* mutex) {
    if (!mutex)
        return;
    auto* m = static_cast<pthread_mutex_t*>(mutex);
    pthread_mutex_destroy(m);
    delete m;
}

void OSAL_MutexLock(void* mutex) {
    pthread_mutex_lock(static_cast<pthread_mutex_t*>(mutex));
}
void OSAL_MutexUnlock(void* mutex) {
    pthread_mutex_unlock(static_cast<pthread_mutex_t*>(mutex));
}

namespace {

void freeRing(OSAL_QueueNode* first) {
    OSAL_QueueNode* n = first;
    while (n) {
        OSAL_QueueNode* next = n->next;
        delete n;
        n = (next == first) ? nullptr : next;
    }
}

} // namespace

bool OSAL_QueueCreate(OSAL_QUEUETYPE* queue, int max) {
    *queue = OSAL_QUEUETYPE{};
    if (OSAL_MutexCreate(&queue->mutex) != 0)
        return false;
    OSAL_MutexLock(queue->mutex);
    queue->max = max;
    const int nodes = max > 2 ? max - 1 : 1;
    OSAL_QueueNode* first = new (std::nothrow) OSAL_QueueNode{nullptr, nullptr};
    OSAL_QueueNode* last = first;
    bool ok = first != nullptr;
    for (int i = 1; ok && i < nodes; ++i) {
        last->next = new (std::nothrow) OSAL_QueueNode{nullptr, nullptr};
        ok = last->next != nullptr;
        if (ok)
            last = last->next;
    }
    if (!ok) {
        if (first) {
            last->next = first;
            freeRing(first);
        }
        OSAL_MutexUnlock(queue->mutex);
        OSAL_MutexTerminate(queue->mutex);
        *queue = OSAL_QUEUETYPE{};
        return false;
    }
    last->next = first;
    queue->head = queue->tail = first;
    OSAL_MutexUnlock(queue->mutex);
    return true;
}

void OSAL_QueueTerminate(OSAL_QUEUETYPE* queue) {
    if (!queue->mutex)
        return;
    OSAL_MutexLock(queue->mutex);
    freeRing(queue->head);
    queue->head = queue->tail = nullptr;
    queue->count = 0;
    OSAL_MutexUnlock(queue->mutex);
    OSAL_MutexTerminate(queue->mutex);
    queue->mutex = nullptr;
}

int OSAL_Queue(OSAL_QUEUETYPE* queue, void* element) {
    if (!queue->mutex)
        return -1;
    OSAL_MutexLock(queue->mutex);
    int result = -1;
    if (queue->tail->element == nullptr && queue->count < queue->max) {
        queue->tail->element = element;
        queue->tail = queue->tail->next;
        queue->count++;
        result = 0;
    }
    OSAL_MutexUnlock(queue->mutex);
    return result;
}

void* OSAL_Dequeue(OSAL_QUEUETYPE* queue) {
    if (!queue->mutex)
        return nullptr;
    OSAL_MutexLock(queue->mutex);
    void* element = nullptr;
    if (queue->head->element != nullptr && queue->count > 0) {
        element = queue->head->element;
        queue->head->element = nullptr;
        queue->head = queue->head->next;
        queue->count--;
    }
    OSAL_MutexUnlock(queue->mutex);
    return element;
}

int OSAL_GetElemNum(OSAL_QUEUETYPE* queue) {
    if (!queue->mutex)
        return 0;
    OSAL_MutexLock(queue->mutex);
    const int n = queue->count;
    OSAL_MutexUnlock(queue->mutex);
    return n;
}
