#pragma once
// Edits whose typed text turns into lower case, as the fields of the designer's dialogs that
// hold host names and user IDs do.

class QLineEdit;

namespace vantorell {

// What the user types into `edit` is turned into lower case at once; the cursor stays.
void lowerCaseTyping(QLineEdit* edit);

}  // namespace vantorell
