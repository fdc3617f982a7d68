// The checker's report as one JSON document for other programs. The Chinese message of each
// problem is included, next to a kind name that does not change with the wording.
#pragma once

#include "app/wstring.h"
#include "checker/check_report.h"

// The stable names: "command-not-found", "error", "utf-8-bom", ...
const WChar* FindingKindId(FindingKind kind);
const WChar* SeverityId(Severity severity);
const WChar* EncodingId(TextEncoding encoding);

WString FormatJsonReport(const CheckReport& report);
