#include "designer/rtnReaderWriter/FileKey.h"

#include "common/Scrambler.h"

namespace vantorell {

std::string strFileKeyForm(const std::string& password, bool usePassword) {
    if (password.empty() || !usePassword) {
        return "";
    }
    return strEncrypt(password, kFileKeyMaster);
}

}  // namespace vantorell
