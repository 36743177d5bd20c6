#pragma once
// A fresh folder under the system's temporary folder for a benchmark's files, removed with
// everything in it when the object goes. path() ends in "/".

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vantorell::bench {

class BenchFolder {
public:
    BenchFolder() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "vantorell-bench-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = templ + "/";
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

}  // namespace vantorell::bench
