#!/usr/bin/env bash
# Makes the encoded copies of catalogue_utf8.ini that the tests read; their outputs are
# committed. Run from anywhere.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
iconv -f UTF-8 -t CP936 catalogue_utf8.ini >catalogue_cp936.ini
{ printf '\xEF\xBB\xBF'; cat catalogue_utf8.ini; } >catalogue_utf8bom.ini
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE catalogue_utf8.ini; } >catalogue_utf16le.ini
