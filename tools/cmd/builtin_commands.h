// The built-in commands that change files: copy, rd and del, with cmd's
// meaning and cmd's messages. Each returns the command's status: 0 when it
// did all it was asked, 1 otherwise.
#pragma once

#include <iosfwd>
#include <string>

namespace batch {

struct Console {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
};

// copy [/a|/b] source [/a|/b] [+ source [/a|/b] ...] [target [/a|/b]]
// One source is copied as it is (binary, its time kept); several are joined
// in order into the target. Text mode (/a, the default when joining) reads
// each source up to its first Ctrl-Z and ends the target with one, as cmd
// does; /b joins the bytes as they are. Without a target, one source is
// copied into the current folder and several are joined into the first. The
// target is written beside and renamed when complete, and not at all when a
// source is missing.
int runCopy(Console& console, const std::string& arguments);

// rd [/s] [/q] folder...  Without /s only an empty folder is removed; /s
// removes the whole tree after asking "Are you sure", which /q answers.
int runRemoveFolders(Console& console, const std::string& arguments);

// del [/q] [/f] name...  Names may hold "*" and "?" in their last component;
// a folder stands for all files in it. Deleting every file of a folder asks
// first unless /q is given.
int runDelete(Console& console, const std::string& arguments);

// Asks a Yes/No question on the console; only an answer starting with "y" is Yes.
bool askYesNo(Console& console, const std::string& question);

// The message cmd gives for a command line it cannot read.
extern const char* const kSyntaxError;

}  // namespace batch
