// The process as a whole: its arguments, its console, its memory, its threads.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace mapio::platform {

// Where the system gives huge pages only to memory that asks for them
// (Linux's "madvise" mode), starts the program again, once, with the C
// library told to ask: a pack of half a million pictures otherwise costs
// tens of thousands of page faults, a third of a check's time. Returns only
// when it does not (another system, the setting made already, exec failed).
void UseLargePages(char** argv);

// Runs `aside` on a thread of its own while `here` runs on this one, and
// returns when both are done: for the two independent halves of a job, such
// as listing a folder and reading its config.xml, on a machine with more
// than one core. One after the other where no thread can be made. An
// exception from either comes out here, after both have ended.
void RunTogether(const std::function<void()>& aside, const std::function<void()>& here);

// The program's arguments as UTF-8. Windows hands main them in the ANSI
// code page, which cannot hold every name: there they are read again from
// the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// What the program writes to a console shows as UTF-8 from now on, until
// it ends (Windows; terminals elsewhere take UTF-8 already). Output to a
// file or pipe is UTF-8 bytes on every system.
void UseUtf8Console();

// From now on, blocks of 256 KB or more get pages of their own from the
// system and give them back when freed. GNU's C library otherwise takes
// such blocks from its heap once it has seen large ones freed: then the
// parts of a large text already passed on stay resident beside their new
// home, and a growing block is copied rather than extended.
void KeepLargeBlocksApart();

}  // namespace mapio::platform
