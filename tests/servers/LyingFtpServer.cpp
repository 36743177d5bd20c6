#include "tests/servers/LyingFtpServer.h"

#include <memory>

#include "tests/servers/FtpServer.h"
#include "tests/support/FtpScriptPeer.h"

namespace vantorell::test {
namespace {

bool passive(FtpDataLie lie) {
    return lie == FtpDataLie::PassiveOtherHost;
}

// Plays the file's side of a data connection: sends File, or reads what comes.
void serveData(LoopbackPeer& data, bool upload, const std::string& file, std::string& got) {
    if (upload) {
        int error = 0;
        data.readToEnd(got, kSocketDeadline, error);
    } else {
        data.sendAll(file);
    }
    data.closeConnection();
}

// The data port on 127.0.0.1; -1 when the command named none.
int announceData(FtpThreadPeer& peer, FtpDataLie lie, std::unique_ptr<LoopbackPeer>& own,
                 std::unique_ptr<LoopbackPeer>& third) {
    std::string line;
    if (!peer.command(line)) {
        peer.fail("no PASV or PORT came");
        return -1;
    }
    if (!passive(lie)) {
        const int port = portCommandPort(line);
        if (port < 0 || !peer.send("200 PORT ok\r\n")) {
            peer.fail("expected a PORT to 127.0.0.1, got " + line);
        }
        return port;
    }
    if (line != "PASV") {
        peer.fail("expected PASV, got " + line);
        return -1;
    }
    own = std::make_unique<LoopbackPeer>();
    const int port = own->port();
    third = std::make_unique<LoopbackPeer>("127.0.0.2", port);
    peer.send("227 Entering Passive Mode (127,0,0,2," + std::to_string(port / 256) + "," +
              std::to_string(port % 256) + ").\r\n");
    return port;
}

void passiveTransfer(FtpThreadPeer& peer, bool upload, const std::string& file,
                     FtpDataLieOutcome& outcome, LoopbackPeer& own, LoopbackPeer* third) {
    std::vector<LoopbackPeer*> listeners{&own};
    if (third != nullptr) {
        listeners.push_back(third);
    }
    LoopbackPeer* first = LoopbackPeer::firstToConnect(listeners, kSocketDeadline);
    if (first == nullptr || !first->accept(kSocketDeadline)) {
        peer.fail("no data connection came");
        return;
    }
    if (first == third) {
        ++outcome.thirdPartyConnections;
        serveData(*first, upload, kForeignBytes, outcome.intruderGot);
    } else {
        serveData(own, upload, file, outcome.uploaded);
    }
    peer.send("226 Transfer complete\r\n");
}

// True when the intruder's connection ended from the client's side before the deadline.
bool intrude(int port, bool upload, FtpDataLieOutcome& outcome) {
    LoopbackPeer intruder;
    if (!intruder.connect(port, "127.0.0.2")) {
        return true;  // not even connected: shut out
    }
    if (!upload) {
        intruder.sendAll(kForeignBytes);
    }
    int error = 0;
    return intruder.readToEnd(outcome.intruderGot, kSocketDeadline, error) || error != 0;
}

}  // namespace

FtpThreadPeer::Script lyingFtpServer(FtpDataLie Lie, bool Upload, const std::string& File,
                                     FtpDataLieOutcome& Outcome) {
    return [Lie, Upload, File, &Outcome](FtpThreadPeer& peer) {
        if (!peer.accept() ||
            !peer.answer(std::string("USER ") + kFtpUser, "331 password please\r\n") ||
            !peer.answer(std::string("PASS ") + kFtpPassword, "230 logged in\r\n") ||
            !peer.answer("TYPE I", "200 binary\r\n")) {
            return;
        }
        std::unique_ptr<LoopbackPeer> own;
        std::unique_ptr<LoopbackPeer> third;
        const int port = announceData(peer, Lie, own, third);
        if (port < 0 ||
            !peer.answer(Upload ? "STOR data.bin" : "RETR data.bin", "150 Opening data\r\n")) {
            return;
        }
        if (passive(Lie)) {
            passiveTransfer(peer, Upload, File, Outcome, *own, third.get());
            // A connection that reached the third party later counts as well.
            if (third && third->acceptReady()) {
                ++Outcome.thirdPartyConnections;
            }
        } else {
            Outcome.intruderShutOut = intrude(port, Upload, Outcome);
            if (Lie == FtpDataLie::ActiveIntruderOnly) {
                peer.waitForClose();  // the client gives up at its time-out
                return;
            }
            LoopbackPeer data;
            if (!data.connect(port)) {
                peer.fail("the data port took no connection from 127.0.0.1");
                return;
            }
            serveData(data, Upload, File, Outcome.uploaded);
            peer.send("226 Transfer complete\r\n");
        }
        if (peer.answer("QUIT", "221 bye\r\n")) {
            peer.waitForClose();
        }
    };
}

}  // namespace vantorell::test
