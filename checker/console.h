// Writing the checker's output: wide text on a Windows console, UTF-8 bytes otherwise.
#pragma once

#include "app/wstring.h"

enum class OutputStream { Standard, Error };

// Writes the text whole; false when the stream refused it. On Windows, text that goes to a
// console is written as wide characters (any console code page shows Chinese then); text
// redirected to a file or a pipe is UTF-8 with "\r\n" line ends. Elsewhere it is UTF-8.
bool WriteOutput(OutputStream stream, WStringView text);
