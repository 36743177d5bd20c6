#pragma once

#include <stdexcept>

namespace vantorell {

// Raised by the model file reader for a file it cannot read, a line it cannot decipher or a
// number that does not convert; the message names the file and, where there is one, the
// record and its line.
class ModelFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vantorell
