#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vantorell::test {

TempFolder::TempFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "vantorell-test-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = templ + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
    const std::string full = path_ + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + full);
    }
    return full;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string sourcePath(const std::string& relative) {
    return std::string(VANTORELL_SOURCE_DIR) + "/" + relative;
}

}  // namespace vantorell::test
