// Stand-in for the engine program in tests: takes the engine's cipher command line
// (-BK7#LmmP -f"<control file>" -d|-e), reads the control file and copies the source file
// to the output file byte for byte instead of running the cipher.
// Exit status: 0 copied, 2 bad command line, 3 malformed control file, 4 file error.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

constexpr int kBadCommandLine = 2;
constexpr int kMalformed = 3;
constexpr int kFileError = 4;

int fail(int status, const std::string& why) {
    std::fprintf(stderr, "standin_tqmx01: %s\n", why.c_str());
    return status;
}

// Line end and other trailing control characters go, as the engine reads its lines.
std::string trimmed(std::string line) {
    while (!line.empty() && static_cast<unsigned char>(line.back()) < 32) {
        line.pop_back();
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) != "-BK7#LmmP") {
        return fail(kBadCommandLine, "the cipher switch must come first");
    }
    std::string controlFile;
    char direction = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("-f", 0) == 0 && a.size() > 2) {
            controlFile = a.substr(2);
        } else if (a == "-d" || a == "-e") {
            direction = a[1];
        } else {
            return fail(kBadCommandLine, "unexpected argument " + a);
        }
    }
    if (controlFile.empty() || direction == 0) {
        return fail(kBadCommandLine, "-f<control file> and -d or -e are needed");
    }

    std::ifstream in(controlFile, std::ios::binary);
    if (!in) {
        return fail(kFileError, "cannot open " + controlFile);
    }
    std::map<char, std::string> values;
    bool ended = false;
    std::string line;
    while (!ended && std::getline(in, line)) {
        line = trimmed(line);
        if (line == "E") {
            ended = true;
        } else if (line.size() == 1 && std::string("FOPST").find(line[0]) != std::string::npos) {
            std::string value;
            if (!std::getline(in, value)) {
                return fail(kMalformed, "tag " + line + " has no value line");
            }
            if (values.count(line[0]) != 0) {
                return fail(kMalformed, "tag " + line + " given twice");
            }
            values[line[0]] = trimmed(value);
        } else {
            return fail(kMalformed, "unexpected line \"" + line + "\"");
        }
    }
    if (!ended) {
        return fail(kMalformed, "no E line");
    }
    for (char tag : std::string("FOP")) {
        if (values.count(tag) == 0) {
            return fail(kMalformed, std::string("no ") + tag + " line");
        }
    }
    if ((values.count('T') != 0) != (direction == 'e')) {
        return fail(kMalformed, "a T line belongs to enciphering requests alone");
    }
    const std::string& source = values['F'];
    const std::string& output = values['O'];
    struct stat a {};
    struct stat b {};
    if (::stat(source.c_str(), &a) == 0 && ::stat(output.c_str(), &b) == 0 &&
        a.st_dev == b.st_dev && a.st_ino == b.st_ino) {
        return fail(kMalformed, "source and output are the same file");
    }

    std::ifstream src(source, std::ios::binary);
    if (!src) {
        return fail(kFileError, "cannot open " + source);
    }
    const std::string bytes((std::istreambuf_iterator<char>(src)),
                            std::istreambuf_iterator<char>());
    const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return fail(kFileError, "cannot create " + output);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            return fail(kFileError, "cannot write " + output);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        return fail(kFileError, "cannot write " + output);
    }
    return 0;
}
