// The checker's Simplified Chinese texts: labels and one message per finding.
#pragma once

#include <string>
#include <vector>

#include "app/catalogue_text.h"
#include "app/wstring.h"
#include "checker/check_report.h"

WString SeverityLabel(Severity severity);  // 错误, 警告, 提示
WString EncodingLabel(TextEncoding encoding);

// The message of a finding of the report (some messages name its encoding or folders).
WString FindingMessage(const Finding& finding, const CheckReport& report);

// Small helpers the report formats share.
WString DecimalText(long long value);
WString AsciiText(const std::string& text);
// The items joined with "、".
WString JoinItems(const std::vector<WString>& items);
