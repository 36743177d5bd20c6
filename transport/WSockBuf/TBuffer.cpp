#include "transport/WSockBuf/TBuffer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vantorell::transport {
namespace {

constexpr int kDefaultBufSize = 1514;

}  // namespace

TBuffer::TBuffer(int BufSize) {
    SetBufSize(BufSize);
}

TBuffer::~TBuffer() = default;

void TBuffer::SetBufSize(int BufSize) {
    if (BufSize <= 0) {
        BufSize = kDefaultBufSize;
    }
    if (BufSize == FBufSize) {
        return;
    }
    if (FWrCount == FRdCount) {
        FBuf = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(BufSize));
        FBufSize = BufSize;
        FWrCount = FRdCount = 0;
        return;
    }
    if (BufSize < FWrCount) {
        throw std::invalid_argument("TBuffer: the pending bytes do not fit the new size");
    }
    auto block = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(BufSize));
    std::memcpy(block.get(), FBuf.get(), static_cast<std::size_t>(FWrCount));
    FBuf = std::move(block);
    FBufSize = BufSize;
}

int TBuffer::Write(const void* Data, int Len) {
    const int count = std::min(Len, FBufSize - FWrCount);
    if (count <= 0) {
        return 0;
    }
    std::memcpy(FBuf.get() + FWrCount, Data, static_cast<std::size_t>(count));
    FWrCount += count;
    return count;
}

int TBuffer::Read(void* Data, int Len) {
    const int count = std::min(Len, FWrCount - FRdCount);
    if (count <= 0) {
        return 0;
    }
    std::memcpy(Data, FBuf.get() + FRdCount, static_cast<std::size_t>(count));
    return Take(count);
}

const char* TBuffer::Peek(int& Len) const {
    Len = FWrCount - FRdCount;
    return Len > 0 ? FBuf.get() + FRdCount : nullptr;
}

int TBuffer::Remove(int Len) {
    const int count = std::min(Len, FWrCount - FRdCount);
    return count > 0 ? Take(count) : 0;
}

int TBuffer::Take(int Len) {
    FRdCount += Len;
    if (FRdCount >= FWrCount) {
        FRdCount = FWrCount = 0;
    }
    return Len;
}

}  // namespace vantorell::transport
