// Messages put together from parts: a sentence wrapped into another reads as
// one sentence ("The document could not be opened: graph 1: the graph record
// holds more than 50 slices.").
#pragma once

#include <string>
#include <string_view>

namespace qv {

// sentence as a part of another: without its own closing full stops, and
// with its first letter in lower case unless the first word is a name or an
// abbreviation (a capital followed by another capital, a digit or nothing:
// "X", "ID", "GL2" stay).
std::string InnerSentence(std::string_view sentence);

}  // namespace qv
