// The account of a failure in the user's language. The system's errors name
// a failed file operation, its path and the system's reason; the texts word
// the operation by its message key (section "messages"), so a Chinese user
// reads "无法写入文件……" where the error's own sentence is English. Any other
// failure keeps its sentence, which the code that threw worded already.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "platform/error.h"
#include "shell/message_keys.h"

namespace shell {

// The message that words `action`; nothing for FileAction::None.
std::optional<MessageKey> fileActionMessage(platform::FileAction action);

// `failure` worded by `texts`: a platform::Error of a file operation (or a
// build step's failure caused by one) by its message key, else its what().
std::string errorText(const MessageTexts& texts, const std::exception& failure);

}  // namespace shell
