// The checker's report as text for people: what the launcher will show and do, then the
// problems by severity, then the verdict. Lines end in '\n'.
#pragma once

#include "app/wstring.h"
#include "checker/check_report.h"

WString FormatTextReport(const CheckReport& report);
