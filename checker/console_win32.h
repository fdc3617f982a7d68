// The Windows side of the checker's output, open to tests that give it their own handles.
#pragma once

#include "app/wstring.h"

// WriteConsoleW when the handle is a console, else UTF-8 with "\r\n" line ends by WriteFile.
bool WriteTextToHandle(void* handle, WStringView text);
