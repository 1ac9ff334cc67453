#include "engine/RecordedTemporary.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Fixed storage: a handler can neither allocate nor follow a std::string that may be moving.
char recordedName[PATH_MAX];
volatile std::sig_atomic_t nameRecorded = 0;

// Holds the interrupt signals back for its lifetime; they are handled when it ends.
class InterruptSignalsHeld {
public:
    InterruptSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signalNumber : InterruptSignals) sigaddset(&held, signalNumber);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptSignalsHeld(const InterruptSignalsHeld&) = delete;
    InterruptSignalsHeld& operator=(const InterruptSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

}  // namespace

int createRecordedTemporary(std::string& pattern) {
    if (pattern.size() >= sizeof recordedName) {
        errno = ENAMETOOLONG;
        return -1;
    }
    InterruptSignalsHeld held;
    std::memcpy(recordedName, pattern.c_str(), pattern.size() + 1);
    const int fd = ::mkostemp(recordedName, O_CLOEXEC);
    if (fd < 0) return -1;
    nameRecorded = 1;
    pattern = recordedName;
    return fd;
}

int renameRecordedTemporary(const std::string& target) {
    InterruptSignalsHeld held;
    if (::rename(recordedName, target.c_str()) != 0) return errno;
    nameRecorded = 0;
    return 0;
}

void removeRecordedTemporary() {
    InterruptSignalsHeld held;
    if (nameRecorded) ::unlink(recordedName);
    nameRecorded = 0;
}

void unlinkRecordedTemporaryInHandler() {
    if (!nameRecorded) return;
    ::unlink(recordedName);
    nameRecorded = 0;
}
