#pragma once
// The output of a cipher run: written to a temporary file beside the target and renamed
// over it only on commit, so a run that fails leaves the target as it was.

#include <cstddef>
#include <string>
#include <vector>

namespace vantorell::engine {

class TemporaryOutput {
public:
    // Raises CipherRunError (OutputFailed) when no file can be created beside the target.
    // `mode` is the permission of the committed file.
    TemporaryOutput(const std::string& target, unsigned mode);
    ~TemporaryOutput();  // removes the temporary file unless committed
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    void write(const void* data, std::size_t count);
    void write(const std::string& text) { write(text.data(), text.size()); }

    void commit();

private:
    void flushBuffer();
    [[noreturn]] void fail(const std::string& why);

    std::string target_;
    std::string temp_;
    unsigned mode_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool committed_ = false;
};

}  // namespace vantorell::engine
