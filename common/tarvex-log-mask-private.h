// The one masking of secrets in SQL text that goes to a log, shared by both
// libraries (compiled into each; not installed, not part of the API).
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The text as it may be logged: the literal after every PASSWORD = (and
// OLD_PASSWORD =) of login, user and application-role texts is masked.
std::string masked_for_log(std::string_view sql);

}  // namespace tarvex
