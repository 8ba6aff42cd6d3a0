// The errors that the evaluator and its stack raise for misuse by their caller
// (an empty stack, a token the evaluator does not know). They are runtime
// errors numbered on the base the platform reserves for errors raised by
// objects, so a caller tells them from the runtime's own numbers.
#pragma once

#include <string>

#include "platform/runtime.h"

namespace qv {

// The base of error numbers raised by objects: 0x80040000 as a signed 32-bit number.
inline constexpr int kObjectErrorBase = -2147221504;

// Error Numbers
// Pop on an empty value stack (0x800403F3).
inline constexpr int kPopOnEmptyStack = kObjectErrorBase + 1011;
// GetPopValue on an empty value stack (0x800403F4).
inline constexpr int kGetPopValueOnEmptyStack = kObjectErrorBase + 1012;
// A postfix token that is no number, variable, operator or function (0x800403EA).
inline constexpr int kBadToken = kObjectErrorBase + 1002;

// A RuntimeError numbered on kObjectErrorBase. what() is the runtime's text
// for the number followed by the description; Description() is the
// description alone ("Pop method invoked on empty stack").
class ObjectError : public RuntimeError {
 public:
  ObjectError(int number, std::string description);
  const std::string& Description() const { return description_; }

 private:
  std::string description_;
};

}  // namespace qv
