#include "designer/rtnFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr openOrRaise(const std::string& fileName, const char* mode) {
    FilePtr f(std::fopen(fileName.c_str(), mode));
    if (!f) {
        throw FileIoError("I/O error on " + fileName + ": " + std::strerror(errno));
    }
    return f;
}

bool blankOnceTrimmed(const std::string& line) {
    for (char c : line) {
        if (static_cast<unsigned char>(c) > ' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

void nulFileCreate(const std::string& fileName) {
    openOrRaise(fileName, "wb");
}

void nulFileAppendLine(const std::string& fileName, const std::string& line) {
    nulFileAppendText(fileName, line + "\r\n");
}

void nulFileAppendText(const std::string& fileName, const std::string& text) {
    FilePtr f = openOrRaise(fileName, "ab");
    if (std::fwrite(text.data(), 1, text.size(), f.get()) != text.size() ||
        std::fflush(f.get()) != 0) {
        throw FileIoError("I/O error writing " + fileName + ": " + std::strerror(errno));
    }
}

int intFileReadLines(const std::string& fileName, bool skipEmpty, TFileOpenReadCloseArray& lines) {
    lines.clear();
    FilePtr f = openOrRaise(fileName, "rb");
    int count = 0;
    auto store = [&](std::string&& line) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (skipEmpty && blankOnceTrimmed(line)) {
            return;
        }
        lines.push_back(std::move(line));
        ++count;
    };
    std::string current;
    bool pending = true;  // the read before the end test: an empty file holds one empty line
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
        // Whole runs up to each line end, so a large listing costs no per-character work.
        std::size_t start = 0;
        while (start < n) {
            const void* end = std::memchr(buffer + start, '\n', n - start);
            if (end == nullptr) {
                current.append(buffer + start, n - start);
                pending = true;
                break;
            }
            const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(end) - buffer);
            current.append(buffer + start, at - start);
            store(std::move(current));
            current.clear();
            pending = false;
            start = at + 1;
        }
    }
    if (std::ferror(f.get())) {
        throw FileIoError("I/O error reading " + fileName + ": " + std::strerror(errno));
    }
    if (pending) {
        store(std::move(current));
    }
    return count;
}

std::string strFileReadWhole(const std::string& fileName) {
    FilePtr f = openOrRaise(fileName, "rb");
    std::string text;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
        text.append(buffer, n);
    }
    if (std::ferror(f.get())) {
        throw FileIoError("I/O error reading " + fileName + ": " + std::strerror(errno));
    }
    return text;
}

bool flgChooseFolder(std::string& folder) {
    const std::optional<std::string> chosen = fileDialogService().chooseFolder("Select a folder");
    if (!chosen || !directoryExists(*chosen)) {
        return false;
    }
    folder = *chosen;
    return true;
}

}  // namespace vantorell
