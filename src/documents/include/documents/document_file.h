// Reading the document text of a file, no further than a document can hold.
#pragma once

#include <string>

#include "documents/document_container.h"

namespace qv {

// Reads the text of the document file at path. A file larger than any
// document can be is refused before any of it is read; one whose length
// field claims more text than the file holds, before its text is read; a
// run of bytes far longer than any item of a document, as soon as it is
// met. Bytes after the text are not read. The reasons follow "could not be
// opened: ". A file cut short, or empty, beside the copy that a save in
// place keeps (platform/file_replace.h) names that copy. An empty file
// without such a copy gives ok with an empty text.
ContainerText ReadDocumentFile(const std::string& path);

}  // namespace qv
