#include "tests/fuzz/FuzzSupport.h"

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/MessageService.h"

namespace vantorell::fuzz {
namespace {

// Removed at exit; a run that ends in a crash leaves its folder for the input to be
// looked at.
class ProcessFolder {
public:
    ProcessFolder() {
        std::string name =
            (std::filesystem::temp_directory_path() / "vantorell-fuzz-XXXXXX").string();
        require(::mkdtemp(name.data()) != nullptr, "a temporary folder can be made");
        path_ = name + "/";
    }
    ~ProcessFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const ProcessFolder& processFolder() {
    static const ProcessFolder folder;
    return folder;
}

// The message shown last, for the report of a broken property.
std::string lastMessage;

class AnsweringMessages : public MessageService {
public:
    MessageAnswer show(const MessageRequest& request) override {
        lastMessage = request.caption + ": " + request.text;
        return (request.buttons & kButtonYes) != 0 ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};

}  // namespace

std::string text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::string inputFolder() {
    const std::string folder = processFolder().path() + "input/";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directory(folder, ec);
    require(!ec, "the input folder can be made: " + ec.message());
    return folder;
}

std::string writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    require(static_cast<bool>(out), "the input file can be written: " + path);
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void require(bool holds, const std::string& property) {
    if (!holds) {
        std::fprintf(stderr, "==fuzz== property broken: %s\n", property.c_str());
        if (!lastMessage.empty()) {
            std::fprintf(stderr, "==fuzz== the message shown last: %s\n", lastMessage.c_str());
        }
        std::fflush(stderr);
        std::abort();
    }
}

void useApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
}

std::string takeLastMessage() {
    return std::exchange(lastMessage, std::string());
}

void answerMessages() {
    static AnsweringMessages messages;
    setMessageService(&messages);
}

}  // namespace vantorell::fuzz
