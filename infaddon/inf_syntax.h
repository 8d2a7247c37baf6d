// Writing names into INF fields. Ordinary names pass unchanged; a name the
// setup engine would misread (a comma, semicolon, equals sign, double quote,
// percent sign, blanks at either end, or a leading "[", which would make its
// line a section header) is quoted and escaped so that it
// reads back as the real name.
#pragma once

#include <string>

namespace infaddon {

// Whether the text needs quotes to stand as one INF field.
bool needsInfQuotes(const std::string& text);
// "%" written as "%%" (a percent sign otherwise starts a string key).
std::string escapeInfPercent(const std::string& text);
// The text as one field: unchanged when ordinary, "%%" for "%", and quoted
// with inner quotes doubled where needed.
std::string infField(const std::string& text);
// Text going inside a field that is already quoted: quotes doubled, "%" as "%%".
std::string infQuotedContent(const std::string& text);

}  // namespace infaddon
