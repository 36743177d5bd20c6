#include "transport/HttpProt/DocName.h"

namespace vantorell::transport {
namespace {

constexpr std::size_t kMaxDocName = 255;

std::string CutAtQuery(const std::string& text) {
    return text.substr(0, text.find('?'));
}

}  // namespace

std::string AdjustDocName(const std::string& Path) {
    const std::string path = CutAtQuery(Path);
    if (path.empty() || path.back() == '/') {
        return "document.htm";
    }
    const auto slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    name = CutAtQuery(name.substr(0, kMaxDocName));
    // A name from a server never leads out of the folder it is saved in.
    if (name.empty() || name == "." || name == "..") {
        return "document.htm";
    }
    return name;
}

void ReplaceExt(std::string& Name, const std::string& Ext) {
    const auto dot = Name.rfind('.');
    if (dot == std::string::npos) {
        Name += "." + Ext;
    } else {
        Name = Name.substr(0, dot + 1) + Ext;
    }
}

}  // namespace vantorell::transport
