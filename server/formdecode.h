#pragma once

// The values of a form-encoded body ("a=1&b=x%E9+y"): "+" is a space and "%" with two
// hexadecimal digits is that byte; anything else stands as it is. A name given twice keeps its
// first value.

#include <map>
#include <string>
#include <string_view>

std::map<std::string, std::string> DecodeForm(std::string_view body);

std::string DecodeFormValue(std::string_view text);
