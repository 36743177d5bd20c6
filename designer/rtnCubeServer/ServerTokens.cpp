#include "designer/rtnCubeServer/ServerTokens.h"

namespace vantorell {

std::string strReplaceString(const std::string& text, const std::string& token,
                             const std::string& replacement) {
    if (token.empty()) {
        return text;
    }
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + token.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string strReplaceTokens(const std::string& text, const std::string& userId,
                             const std::string& fileName, const std::string& password) {
    std::string result = strReplaceString(text, "${userid}", userId);
    result = strReplaceString(result, "${password}", password);
    return strReplaceString(result, "${filename}", fileName);
}

}  // namespace vantorell
