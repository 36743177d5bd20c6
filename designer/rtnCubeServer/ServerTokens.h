#pragma once
// The tokens of the cube server's remote names: every remote folder and file name, the user
// name and the password pass through them, so that the server's layout may name the account.

#include <string>

namespace vantorell {

// Every occurrence of `token` replaced by `replacement`. The search goes on after each
// inserted text, so a replacement that holds the token ends the work instead of looping.
std::string strReplaceString(const std::string& text, const std::string& token,
                             const std::string& replacement);

// "${userid}", then "${password}", then "${filename}" replaced.
std::string strReplaceTokens(const std::string& text, const std::string& userId,
                             const std::string& fileName, const std::string& password);

}  // namespace vantorell
