// The report of bundor-check --write-hashes, as text for people. Lines end in '\n'.
#pragma once

#include "app/wstring.h"
#include "checker/hash_writing.h"

WString FormatHashWriteReport(const HashWriteReport& report);
