// The program's texts (Windows-1252) for the toolkit, which takes Unicode.
#pragma once

#include <string>

#include <wx/string.h>

#include "platform/text_encoding.h"

namespace qv {

inline wxString ToWx(const std::string& cp1252) { return wxString::FromUTF8(Cp1252ToUtf8(cp1252)); }

}  // namespace qv
