#include "designer/frmMain/Caption.h"

namespace vantorell {

std::string strCaptionWithFile(const std::string& caption, const std::string& fileName) {
    std::string title = caption;
    const std::size_t dash = title.find('-');
    if (dash != std::string::npos && dash > 0) {
        title.erase(dash - 1);
    }
    return title + " - " + fileName;
}

}  // namespace vantorell
