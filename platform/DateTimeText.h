#pragma once
// Date and time as the system shows them: the short date and the long time of the desktop's
// locale. Linux gives no such pair, so one fixed form is used everywhere, whatever the
// locale: "M/d/yyyy h:mm:ss AM" (month and day without leading zeros, 12-hour clock),
// for example "12/10/2026 10:20:33 AM" or "3/7/2026 12:05:09 PM".

#include <ctime>
#include <string>

namespace vantorell {

std::string shortDateLongTimeText(const std::tm& time);

// The time alone in that form: "h:mm:ss AM".
std::string longTimeText(const std::tm& time);

// The current local date and time in that form.
std::string currentShortDateLongTimeText();

}  // namespace vantorell
