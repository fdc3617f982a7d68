// On Windows a search already ignores letter case.
#include "checker/letter_case.h"

ILetterCaseFinder* PlatformLetterCaseFinder() {
    return nullptr;
}
