#include "expr/object_error.h"

#include <utility>

namespace qv {

ObjectError::ObjectError(int number, std::string description)
    : RuntimeError(number, description), description_(std::move(description)) {}

}  // namespace qv
