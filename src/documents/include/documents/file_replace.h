// The file helpers moved to the platform layer, where every library that
// reads or writes files can use them; this name still leads there.
#pragma once

#include "platform/file_replace.h"
