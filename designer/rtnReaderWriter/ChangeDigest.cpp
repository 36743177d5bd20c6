#include "designer/rtnReaderWriter/ChangeDigest.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace vantorell {
namespace {

constexpr std::size_t kPendingLimit = 1 << 16;

}  // namespace

ChangeDigest::ChangeDigest() : hash_(QCryptographicHash::Sha256) {
    pending_.reserve(kPendingLimit);
}

void ChangeDigest::addRecord(std::string_view record) {
    const auto length = static_cast<std::uint32_t>(record.size());
    const char prefix[4] = {
        static_cast<char>(length & 0xFF), static_cast<char>((length >> 8) & 0xFF),
        static_cast<char>((length >> 16) & 0xFF), static_cast<char>((length >> 24) & 0xFF)};
    pending_.append(prefix, sizeof prefix);
    pending_.append(record);
    if (pending_.size() >= kPendingLimit) {
        flush();
    }
}

void ChangeDigest::flush() {
    hash_.addData(QByteArrayView(pending_.data(), static_cast<qsizetype>(pending_.size())));
    pending_.clear();
}

std::string ChangeDigest::finish() {
    flush();
    return hash_.result().toHex().toStdString();
}

}  // namespace vantorell
