// The checker's Simplified Chinese texts: labels and one message per finding.
#pragma once

#include <string>
#include <vector>

#include "app/catalogue_text.h"
#include "app/wstring.h"
#include "checker/check_report.h"

WString SeverityLabel(Severity severity);  // 错误, 警告, 提示
WString EncodingLabel(TextEncoding encoding);

// The message of a finding; the encoding is the report's (some messages name it).
WString FindingMessage(const Finding& finding, TextEncoding encoding);

// Small helpers the report formats share.
WString DecimalText(long long value);
WString AsciiText(const std::string& text);
// The items joined with "、".
WString JoinItems(const std::vector<WString>& items);
