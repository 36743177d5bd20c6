#pragma once
// Why a cipher run stops; CipherFile turns it into its result.

#include <stdexcept>
#include <string>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

class CipherRunError : public std::runtime_error {
public:
    CipherRunError(CipherOutcome outcome, const std::string& message)
        : std::runtime_error(message), outcome_(outcome) {}

    CipherOutcome outcome() const { return outcome_; }

private:
    CipherOutcome outcome_;
};

}  // namespace vantorell::engine
