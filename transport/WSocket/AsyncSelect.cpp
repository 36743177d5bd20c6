#include "transport/WSocket/AsyncSelect.h"

#include <fcntl.h>
#include <sys/socket.h>

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <cerrno>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "transport/WSocket/HiddenWindow.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

enum class Phase { Unconnected, Connecting, Connected, Listening, Failed };

// Valid while its registration lasts; the notices posted under it are dropped after.
class Registration : public MessagePayload {
public:
    bool Deliver() override { return live; }
    bool live = true;
};

class SelectWatch {
public:
    SelectWatch(TSocket s, HWND wnd, unsigned msg, long mask, Phase phase, bool datagram)
        : socket_(s),
          window_(wnd),
          message_(msg),
          mask_(mask),
          phase_(phase),
          datagram_(datagram),
          registration_(std::make_shared<Registration>()),
          read_(s, QSocketNotifier::Read),
          write_(s, QSocketNotifier::Write) {
        read_.setEnabled(false);
        write_.setEnabled(false);
        QObject::connect(&read_, &QSocketNotifier::activated, [this] { OnReadable(); });
        QObject::connect(&write_, &QSocketNotifier::activated, [this] { OnWritable(); });
        // A connected socket can take data at once: its first write notice.
        writeWanted_ = phase == Phase::Connected;
        Arm();
    }

    ~SelectWatch() { registration_->live = false; }

    void NoteRecv() {
        if (!readArmed_) {
            readArmed_ = true;
            Arm();
        }
    }
    void NoteSendBlocked() {
        if (!writeWanted_) {
            writeWanted_ = true;
            Arm();
        }
    }
    void NoteAccept() {
        if (!acceptArmed_) {
            acceptArmed_ = true;
            Arm();
        }
    }
    void NoteConnect(int error) {
        if (error != 0) {
            phase_ = Phase::Failed;
            Post(FD_CONNECT, error);
        } else {
            phase_ = Phase::Connecting;
        }
        Arm();
    }
    bool Connecting() const { return phase_ == Phase::Connecting; }

private:
    void Arm() {
        const bool wantRead =
            (phase_ == Phase::Listening && acceptArmed_ && (mask_ & FD_ACCEPT) != 0) ||
            (phase_ == Phase::Connected && readArmed_ && !closeSeen_ &&
             (mask_ & (FD_READ | FD_CLOSE)) != 0);
        const bool wantWrite =
            phase_ == Phase::Connecting ||
            (phase_ == Phase::Connected && writeWanted_ && (mask_ & FD_WRITE) != 0);
        if (read_.isEnabled() != wantRead) {
            read_.setEnabled(wantRead);
        }
        if (write_.isEnabled() != wantWrite) {
            write_.setEnabled(wantWrite);
        }
    }

    void Post(long event, int error) {
        if ((mask_ & event) != 0) {
            PostMessage(window_, message_, static_cast<WPARAM>(socket_),
                        MakeSelectParam(event, error), registration_);
        }
    }

    void OnReadable() {
        if (phase_ == Phase::Listening) {
            acceptArmed_ = false;
            Post(FD_ACCEPT, 0);
        } else if (datagram_) {
            readArmed_ = false;
            Post(FD_READ, 0);
        } else {
            char byte = 0;
            const ssize_t n = ::recv(socket_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
            if (n > 0) {
                readArmed_ = false;
                Post(FD_READ, 0);
            } else if (n == 0) {
                closeSeen_ = true;
                Post(FD_CLOSE, 0);
            } else if (errno != EAGAIN && errno != EINTR) {
                closeSeen_ = true;
                Post(FD_CLOSE, WinsockErrorFromErrno(errno));
            }
        }
        Arm();
    }

    void OnWritable() {
        if (phase_ == Phase::Connecting) {
            int error = 0;
            socklen_t length = sizeof error;
            ::getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length);
            sockaddr_in peer{};
            socklen_t peerLength = sizeof peer;
            if (error == 0 &&
                ::getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0) {
                return;  // woken before the outcome is known
            }
            if (error != 0) {
                phase_ = Phase::Failed;
                Post(FD_CONNECT, WinsockErrorFromErrno(error));
            } else {
                phase_ = Phase::Connected;
                Post(FD_CONNECT, 0);
                writeWanted_ = false;
                Post(FD_WRITE, 0);
            }
        } else {
            writeWanted_ = false;
            Post(FD_WRITE, 0);
        }
        Arm();
    }

    TSocket socket_;
    HWND window_;
    unsigned message_;
    long mask_;
    Phase phase_;
    bool datagram_;
    bool readArmed_ = true;
    bool acceptArmed_ = true;
    bool writeWanted_ = false;
    bool closeSeen_ = false;
    std::shared_ptr<Registration> registration_;
    QSocketNotifier read_;
    QSocketNotifier write_;
};

struct SocketRecord {
    bool connecting = false;  // a connect started before notices were asked for
    std::unique_ptr<SelectWatch> watch;
};

std::mutex recordsMutex;
std::unordered_map<TSocket, SocketRecord>& Records() {
    static std::unordered_map<TSocket, SocketRecord> records;
    return records;
}

SelectWatch* WatchOf(TSocket s) {
    auto& records = Records();
    const auto it = records.find(s);
    return it == records.end() ? nullptr : it->second.watch.get();
}

Phase PhaseOf(TSocket s, bool datagram, bool connecting) {
    int listening = 0;
    socklen_t length = sizeof listening;
    if (::getsockopt(s, SOL_SOCKET, SO_ACCEPTCONN, &listening, &length) == 0 && listening) {
        return Phase::Listening;
    }
    if (datagram) {
        return Phase::Connected;
    }
    sockaddr_in peer{};
    socklen_t peerLength = sizeof peer;
    if (::getpeername(s, reinterpret_cast<sockaddr*>(&peer), &peerLength) == 0) {
        return Phase::Connected;
    }
    return connecting ? Phase::Connecting : Phase::Unconnected;
}

}  // namespace

int AsyncSelect(TSocket s, HWND hWnd, unsigned wMsg, long lEvent) {
    int type = 0;
    socklen_t length = sizeof type;
    if (::getsockopt(s, SOL_SOCKET, SO_TYPE, &type, &length) != 0) {
        return FailWithErrno();
    }
    const int flags = ::fcntl(s, F_GETFL);
    if (flags < 0 || ::fcntl(s, F_SETFL, flags | O_NONBLOCK) != 0) {
        return FailWithErrno();
    }
    std::lock_guard lock(recordsMutex);
    auto& record = Records()[s];
    if (record.watch) {
        record.connecting = record.watch->Connecting();
        record.watch.reset();
    }
    if (hWnd == nullptr || wMsg == 0 || lEvent == 0) {
        return 0;
    }
    if (QAbstractEventDispatcher::instance() == nullptr) {
        SetThreadLastError(WSAEINVAL);  // no message loop on this thread to post to
        return SOCKET_ERROR;
    }
    const bool datagram = type != SOCK_STREAM;
    record.watch = std::make_unique<SelectWatch>(s, hWnd, wMsg, lEvent,
                                                 PhaseOf(s, datagram, record.connecting), datagram);
    return 0;
}

void SelectNoteRecv(TSocket s) {
    std::lock_guard lock(recordsMutex);
    if (auto* watch = WatchOf(s)) {
        watch->NoteRecv();
    }
}

void SelectNoteSendBlocked(TSocket s) {
    std::lock_guard lock(recordsMutex);
    if (auto* watch = WatchOf(s)) {
        watch->NoteSendBlocked();
    }
}

void SelectNoteAccept(TSocket s) {
    std::lock_guard lock(recordsMutex);
    if (auto* watch = WatchOf(s)) {
        watch->NoteAccept();
    }
}

void SelectNoteConnect(TSocket s, int error) {
    std::lock_guard lock(recordsMutex);
    auto& record = Records()[s];
    record.connecting = error == 0;
    if (record.watch) {
        record.watch->NoteConnect(error);
    }
}

void SelectForget(TSocket s) {
    std::lock_guard lock(recordsMutex);
    Records().erase(s);
}

}  // namespace vantorell::transport
