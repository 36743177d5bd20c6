#pragma once
// One run of the file cipher, as the control file (or the encryption panel) asks for it.
// The control-file runner fills it; CipherFile carries it out.

#include <cstdint>
#include <string>

namespace vantorell::engine {

enum class CipherDirection : int { Encipher = 1, Decipher = 2 };

// Stage A: keyed Feistel layer; B: second and third layers; C: keyed byte step;
// D: key stream.
struct CipherStageFlags {
    bool a = false;
    bool b = false;
    bool c = false;
    bool d = false;
};

struct CipherRequest {
    std::string sourcePath;
    std::string outputPath;
    CipherDirection direction = CipherDirection::Encipher;
    CipherStageFlags stages;
    bool automaticStages = true;  // cleared by an "L" line

    std::string firstKey;   // "P"
    std::string secondKey;  // "S"
    std::string thirdKey;   // "T"; when deciphering the file's own "T" line replaces it
    bool secondKeyGiven = false;
    bool noSecondKey = false;  // F, O, P without S or K: the built-in texts stand in

    // Key block ("K"), as long-number texts: enciphering takes all four, deciphering only
    // the modulus and the exponent.
    bool keyBlockPresent = false;
    std::string keyModulus;
    std::string keyBlockBase;
    std::string keyBase;
    std::string keyExponent;

    std::int32_t xConstant = 0;  // 0: the key variant's default
    int keyVariant = 1;

    // "-w": where a check-value mismatch is reported when deciphering.
    bool mismatchReport = false;
    std::string mismatchReportPath;
};

// What a run came to. Only Done wrote the output file.
enum class CipherOutcome {
    Done,
    SourceUnreadable,
    SameFile,        // two of source, output and mismatch report name the same file
    KeyRefused,      // a key text is empty, too long or outside the scrambler's domain
    MalformedInput,  // an enciphered input that does not follow the layout
    OutputFailed,
};

struct CipherResult {
    CipherOutcome outcome = CipherOutcome::Done;
    std::string message;  // what went wrong, for the caller's log; empty on success
    bool ok() const { return outcome == CipherOutcome::Done; }
};

// Enciphers or deciphers one file. The output goes to a temporary file in the output's
// folder and is renamed over the output only on success; a refused run writes nothing.
CipherResult CipherFile(const CipherRequest& request);

}  // namespace vantorell::engine
