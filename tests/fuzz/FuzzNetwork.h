#pragma once
// The transport of a fuzz target stays on this machine whatever the input says: the socket
// table lets connections go only to 127.0.0.1 at the ports the target allows, host names
// other than "localhost" and numeric addresses resolve to nothing (no lookup leaves the
// machine), and every receive is cut to a length the input chooses, so that replies come
// in every possible piece.

#include <cstdint>
#include <set>
#include <string>

namespace vantorell::fuzz {

class LoopbackNetwork {
public:
    LoopbackNetwork();  // installs the table's entries; the table stays so for the process

    void allow(int port) { allowed_.insert(port); }
    void forbid(int port) { allowed_.erase(port); }

    // Receives from now on are cut to lengths drawn from the bytes (1 to 64, and now and
    // then the full length); the same bytes give the same pieces.
    void cutReceives(const std::string& seed);

private:
    std::set<int> allowed_;
    std::uint64_t state_ = 0;
};

}  // namespace vantorell::fuzz
