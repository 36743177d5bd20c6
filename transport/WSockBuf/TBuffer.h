#pragma once
// One chunk of a socket's send queue: bytes are written at one end and taken from the
// other. When the reader catches up with the writer, the chunk is reused from its start.

#include <memory>

namespace vantorell::transport {

class TBuffer {
public:
    // A size of 0 or less makes a chunk of the Ethernet frame size, 1514 bytes.
    explicit TBuffer(int BufSize);
    ~TBuffer();
    TBuffer(const TBuffer&) = delete;
    TBuffer& operator=(const TBuffer&) = delete;

    // Changes the chunk's size. Pending bytes move into the new block; a size that cannot
    // hold the bytes written so far is refused with std::invalid_argument, nothing lost.
    void SetBufSize(int BufSize);
    int BufSize() const { return FBufSize; }

    // Stores what fits; returns the bytes stored (0 when the chunk is full).
    int Write(const void* Data, int Len);
    // Copies up to Len pending bytes and takes them; returns how many.
    int Read(void* Data, int Len);
    // The pending bytes without taking them: their address, and their number in Len
    // (0 and no address when nothing is pending).
    const char* Peek(int& Len) const;
    // Takes up to Len pending bytes without copying them; returns how many.
    int Remove(int Len);

private:
    int Take(int Len);

    std::unique_ptr<char[]> FBuf;
    int FBufSize = 0;
    int FWrCount = 0;
    int FRdCount = 0;
};

}  // namespace vantorell::transport
