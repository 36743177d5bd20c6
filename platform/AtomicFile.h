#pragma once
// A file written over an existing one goes to a temporary file in the same folder and is
// renamed over the old one only when everything was written, so a failure never destroys
// the previous file. Large outputs are streamed through a buffer. The temporary file is one
// of the program's live temporary files until it is renamed or removed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantorell {

class AtomicFile {
public:
    // Pieces of this size or more are written out at once, without copying them into the
    // buffer.
    static constexpr std::size_t kBufferSize = 1 << 18;

    // Creates the temporary file beside `path`, or beside the file it names when it is a
    // symbolic link (the link stays and the file it names is replaced); raises
    // std::runtime_error when it cannot, or when what is to be replaced is not a regular
    // file (a device, a pipe, a folder), which never is. `mode` is a new file's permission
    // bits; a file replaced keeps its own, without group and other bits when `mode` has
    // none.
    explicit AtomicFile(std::string path, unsigned mode = 0644);
    // Removes the temporary file unless commit() succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Raises std::runtime_error when the bytes cannot be written.
    void write(std::string_view bytes);
    // Starts the disk writes of everything written out so far, without waiting for them.
    // A large file written in pieces calls this after each piece: replacing a file by a
    // rename makes some file systems first write out all that is still pending, which
    // otherwise costs the commit as long as writing the bytes did. Only a hint: where the
    // system cannot do it, nothing happens.
    void startWriteback();
    // Writes what is buffered, flushes the file to disk, closes it and renames it over the
    // target, then flushes the folder. Raises std::runtime_error; the target is then
    // unchanged.
    void commit();

    const std::string& path() const { return path_; }

private:
    void flush();
    void writeOut(std::string_view bytes);
    [[noreturn]] void fail(const std::string& why);

    std::string path_;
    std::string target_;  // `path_` with its links followed
    std::string folder_;  // of the target
    std::string temp_;
    unsigned mode_;
    int fd_ = -1;
    int record_ = -1;  // of the live temporary files, removed when the program is told to end
    std::string buffer_;
    std::uint64_t writtenOut_ = 0;        // bytes handed to the system so far
    std::uint64_t writebackStarted_ = 0;  // of which the disk writes were started
};

}  // namespace vantorell
