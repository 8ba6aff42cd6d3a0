#include "expr/value_stack.h"

namespace qv {

void ThrowPopOnEmptyStack() {
  throw ObjectError(kPopOnEmptyStack, "Pop method invoked on empty stack");
}

void ThrowGetPopValueOnEmptyStack() {
  throw ObjectError(kGetPopValueOnEmptyStack, "GetPopValue method invoked on empty stack");
}

}  // namespace qv
