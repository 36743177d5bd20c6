// The FTP client's reply side as the programs' blocking requests meet it: banners, replies
// of one and of many lines, the quoted folder of PWD, sizes, the passive address of PASV and
// the replies around PORT and the transfers, each received in pieces the input chooses.
//
// The input is the server's whole control stream, sent as soon as the client connects (the
// client takes each reply for the command it is waiting on), then "@DATA@" and what the data
// connections carry. "@PASV@" stands for the server's data address ("127,0,0,1,p1,p2"). A
// first byte with its lowest bit set asks for passive transfers.
#include <sys/socket.h>

#include <cstdio>

#include "tests/fuzz/FuzzNetwork.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LoopbackServer.h"
#include "tests/fuzz/Replies.h"
#include "tests/support/FtpScriptPeer.h"
#include "transport/FtpCli/FtpClient.h"

using namespace vantorell;
using namespace std::chrono_literals;

namespace {

fuzz::LoopbackNetwork* network = nullptr;

// Sends the data of one transfer over a connection and closes it.
void sendData(fuzz::LoopbackServer& s, int connection, const std::string& data) {
    s.sendAll(connection, data);
    ::shutdown(connection, SHUT_WR);
    s.waitForClose(connection, 2s);
}

// The control connection: the whole stream at once, then the commands as they come. A
// transfer command after PORT is served by connecting to the client. The connection ends
// with QUIT, with the client's close, or when no command has come for a while (the client
// waits for a reply the stream does not hold).
void control(fuzz::LoopbackServer& s, int connection, const std::string& stream,
             const std::string& data) {
    if (!s.sendAll(connection, stream)) {
        return;
    }
    std::string received;
    int activePort = -1;
    for (;;) {
        std::string line;
        while (!test::takeCommandLine(received, line)) {
            const std::size_t before = received.size();
            if (!s.readSome(connection, received, 200ms) || received.size() == before) {
                return;
            }
        }
        if (line.rfind("PORT ", 0) == 0) {
            activePort = test::portCommandPort(line);
        } else if (line.rfind("PASV", 0) == 0) {
            activePort = -1;
        } else if (activePort > 0 && (line.rfind("RETR", 0) == 0 || line.rfind("LIST", 0) == 0 ||
                                      line.rfind("NLST", 0) == 0)) {
            const int out = s.connectTo(activePort, 2s);
            if (out >= 0) {
                sendData(s, out, data);
                ::close(out);
            }
            activePort = -1;
        } else if (line == "QUIT") {
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::useApplication();
    network = new fuzz::LoopbackNetwork;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool passive = (data[0] & 1) != 0;
    const std::string input = fuzz::text(data + 1, size - 1);
    const std::vector<std::string> parts = fuzz::splitAt(input, "@DATA@");
    const std::string transferred = parts.size() > 1 ? parts[1] : std::string();
    const std::string folder = fuzz::inputFolder();

    fuzz::LoopbackServer server([&](fuzz::LoopbackServer& s, int connection, int index) {
        if (index == 0) {
            char address[32];
            std::snprintf(address, sizeof address, "127,0,0,1,%d,%d", s.port() / 256,
                          s.port() % 256);
            control(s, connection, fuzz::replaced(parts[0], "@PASV@", address), transferred);
        } else {
            sendData(s, connection, transferred);  // a passive transfer
        }
    });
    network->allow(server.port());
    network->cutReceives(input);

    transport::TFtpClient client;
    test::aimAt(client, std::to_string(server.port()));
    client.SetTimeout(2);
    client.SetPassive(passive);
    if (client.Connect()) {
        client.Pwd();
        client.SetHostFileName("cube.mdc");
        client.Size();
        const struct {
            bool (transport::TFtpClient::*request)();
            const char* file;
        } transfers[] = {{&transport::TFtpClient::Dir, "listing.txt"},
                         {&transport::TFtpClient::Get, "cube.mdc"}};
        for (const auto& transfer : transfers) {
            if (!client.Connected()) {
                break;
            }
            const std::string local = folder + transfer.file;
            client.SetLocalFileName(local);
            const bool done = (client.*transfer.request)();
            fuzz::require(done == fuzz::exists(local),
                          std::string("a transfer's file exists exactly when it succeeded: ") +
                              transfer.file);
            if (done) {
                fuzz::require(fuzz::readFile(local) == transferred,
                              "a successful transfer holds what the server sent");
            }
        }
        if (client.Connected()) {
            client.Quit();
        }
    }
    network->forbid(server.port());
    const std::vector<std::string> left = fuzz::entries(folder);
    for (const std::string& name : left) {
        fuzz::require(name == "listing.txt" || name == "cube.mdc",
                      "a transfer leaves no file but its own: " + name);
    }
    return 0;
}
