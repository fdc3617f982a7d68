// Findings about the file's encoding: which one was detected, and the lines whose bytes are
// not valid in it.
#pragma once

#include <string_view>
#include <vector>

#include "app/catalogue_text.h"
#include "checker/check_report.h"

// The lines are the file's own, counted over its bytes as an editor counts them ("\r\n",
// "\r" and "\n" each end a line); the byte-order mark belongs to no line.
std::vector<int> LinesWithInvalidBytes(std::string_view bytes, const DecodedText& decoded);

void CheckEncoding(std::string_view bytes, const DecodedText& decoded,
                   std::vector<Finding>& findings);
