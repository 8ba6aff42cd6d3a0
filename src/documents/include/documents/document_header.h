// The header token of a document ("D", an optional format-version digit, a
// view digit) and the version gates that follow from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime.h"
#include "platform/shared_settings.h"

namespace qv {

struct DocumentHeader {
  int version = 0;    // format version 0..5
  Long viewCode = 0;  // 3, 7 or 11
};

// The header of token, or nullopt when token is none of the 17 headers
// ("D1", "D2", "D11".."D13", "D21".."D23", "D31".."D33", "D41".."D43",
// "D51".."D53"; format 5 adds the point graph's position to its record).
std::optional<DocumentHeader> ParseDocumentHeader(std::string_view token);

// The header the writer puts first for viewCode and format version 4 or 5
// ("D41", "D42", "D43", or "D51", "D52", "D53"), or nullopt for any other
// view code or version: such a document cannot be saved.
std::optional<std::string> HeaderToken(Long viewCode, int version);

// Version gates
// Graph titles by the "@" text rule (version 0 takes one bare token).
inline bool NameByTextRule(int version) { return version >= 1; }
// Surface kinds carry the colour column in their sheet groups.
inline bool SurfaceCellsHaveColor(int version) { return version >= 4; }
// The scale settings follow the axis record.
inline bool CarriesScaleSettings(int version) { return version >= 4; }

}  // namespace qv
