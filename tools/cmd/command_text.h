// How the interpreter reads the text of one command, the way cmd reads it:
// the command word, the words of a built-in command (quotes removed, "+"
// apart for copy), and %...% expansion. Pure text work.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// The first word of a command as written (quotes kept) and the text after it.
// `rest` starts after the one blank or tab that ends the word; the echo
// command prints it as it stands.
struct CommandParts {
    std::string word;
    std::string rest;
};
CommandParts splitCommandWord(std::string_view command);

// One word of a built-in command's arguments.
struct Word {
    std::string text;     // quotes removed
    bool quoted = false;  // some of it stood in quotes: never a switch
    bool plus = false;    // the "+" that joins copy's sources
};
// Splits at blanks and tabs outside quotes; with `plusSeparates`, a "+"
// outside quotes is a word of its own (copy a+b+c).
std::vector<Word> splitWords(std::string_view text, bool plusSeparates = false);

// A switch such as "/s", "/Q" or "/-y": a slash and one to three letters or
// "-", not quoted. An absolute POSIX path ("/tmp/x") is not one.
bool isSwitch(const Word& word);
// The switch's letters in lower case, without the slash ("s", "-y").
std::string switchName(const Word& word);

// Looks up a variable for expansion: its value, or false when undefined.
using VariableLookup = std::function<bool(const std::string& name, std::string& value)>;

// Expands a batch file line: "%%" is "%", "%0" to "%9" and "%*" are the
// batch's arguments ("%~1" without its quotes), "%NAME%" the variable or
// nothing when undefined, and a "%" that closes nothing is dropped.
std::string expandBatchLine(std::string_view line, const std::vector<std::string>& arguments,
                            const VariableLookup& lookup);
// Expands a command given with /c: "%NAME%" when defined; everything else,
// undefined names included, stays as written.
std::string expandCommandText(std::string_view text, const VariableLookup& lookup);

// Removes the double quotes of a word (cmd's reading of a program name).
std::string removeQuotes(std::string_view text);

}  // namespace batch
