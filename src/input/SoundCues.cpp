#include "input/SoundCues.h"

namespace korvalin {

TCueQueue::TCueQueue(TSoundOutput& output) : FOutput(output), FThread([this] { Run(); }) {}

TCueQueue::~TCueQueue() {
    {
        std::lock_guard lock(FMutex);
        FEnding = true;
        FPending.clear();
    }
    FQueued.notify_one();
    FOutput.Stop();
    FThread.join();
}

void TCueQueue::Play(std::u16string fileName, bool warteS) {
    {
        std::lock_guard lock(FMutex);
        FPending.emplace_back(std::move(fileName), warteS);
    }
    FQueued.notify_one();
}

void TCueQueue::Stop() {
    {
        std::lock_guard lock(FMutex);
        FPending.clear();
    }
    FOutput.Stop();
}

void TCueQueue::Run() {
    std::unique_lock lock(FMutex);
    for (;;) {
        FQueued.wait(lock, [this] { return FEnding || !FPending.empty(); });
        if (FEnding) return;
        const auto [fileName, warteS] = std::move(FPending.front());
        FPending.pop_front();
        lock.unlock();
        FOutput.Play(fileName, warteS);
        lock.lock();
    }
}

}  // namespace korvalin
