#pragma once
// Builds the byte-step material (stage C) from two working texts of the key derivation and
// four of the built-in texts.

#include <string>

#include "engine/tqmh01/ByteStep.h"
#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

// Both texts non-empty and of scrambler characters; raises ScramblerError otherwise. The
// state tables, counter and round bytes come out the same in both directions, so the
// Decipher material undoes the Encipher material of the same texts.
ByteStepMaterial BuildByteStepTables(const std::string& first, const std::string& second,
                                     CipherDirection direction);

}  // namespace vantorell::engine
