// Findings about the encoding the author most likely meant, where the launcher's detection
// picks another: UTF-8 with a stray byte (read in the ANSI code page, so all its Chinese
// text is garbled), and a short ANSI text that happens to be valid UTF-8.
#pragma once

#include <string_view>
#include <vector>

#include "app/catalogue_text.h"
#include "checker/check_report.h"

void CheckEncodingGuess(std::string_view bytes, const DecodedText& decoded,
                        std::vector<Finding>& findings);
