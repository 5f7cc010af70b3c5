// The sound cues, played one after the other on a thread of their own, so
// that the window thread and the keyboard hook never wait for a sound.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace korvalin {

// Plays wave files; the system's player or a fake.
class TSoundOutput {
public:
    virtual ~TSoundOutput() = default;
    // ToEndS: returns when the sound has ended (or was stopped); otherwise
    // starts it, to be cut off by the next Play or by Stop.
    virtual void Play(const std::u16string& fileName, bool toEndS) = 0;
    // Stops the sound playing; may be called from any thread.
    virtual void Stop() = 0;
};

class TCueQueue {
public:
    explicit TCueQueue(TSoundOutput& output);
    TCueQueue(const TCueQueue&) = delete;
    TCueQueue& operator=(const TCueQueue&) = delete;
    ~TCueQueue();  // as Stop, then ends the thread

    // Queues a cue and returns at once. A waiting cue (WarteS) holds the
    // queue: the cue after it starts when it has ended. A cue that does not
    // wait is cut off by the next one.
    void Play(std::u16string fileName, bool warteS);
    // Stops the cue playing and drops the cues not yet begun.
    void Stop();

private:
    void Run();

    TSoundOutput& FOutput;
    std::mutex FMutex;
    std::condition_variable FQueued;
    std::deque<std::pair<std::u16string, bool>> FPending;
    bool FEnding = false;
    std::thread FThread;  // last: starts once the rest is in place
};

}  // namespace korvalin
