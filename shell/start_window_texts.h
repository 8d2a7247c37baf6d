// The start window's fixed texts, whatever the language: the description of
// the tool in Label2 and the text of the About box. Lines are joined by CR LF,
// as the window shows them.
#pragma once

#include <string>

namespace shell {

// Label2: the description, the thanks line, the notice of use, the last
// version note and the contact line, each at its indentation.
std::string startWindowDescription();

// About: the feedback heading, the discussion and e-mail contacts, and the
// web log for tutorials with its address.
std::string aboutText();

}  // namespace shell
