#include "designer/frmMain/NumericCommit.h"

#include "designer/rtnGrids/GridNumericEdit.h"
#include "platform/MessageService.h"

namespace vantorell {

std::string strNotANumberMessage(const std::string& text) {
    return "Sorry, the value entered (i.e. " + text + ") is not a number.";
}

bool flgGridNumericEditCommit(StringGrid& grid, std::int64_t scale, std::int64_t limit,
                              const std::string& previousText) {
    const std::string typed = grid.cell(grid.col(), grid.row());
    switch (nulGridNumericEditEnd(grid, scale, limit, previousText)) {
        case NumericEditEnd::Stored:
            return true;
        case NumericEditEnd::Refused:
            showMessage("Error", strNotANumberMessage(typed), MessageIcon::Error);
            return false;
        case NumericEditEnd::NotEditing:
            break;
    }
    return false;
}

}  // namespace vantorell
