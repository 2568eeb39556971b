# help2man leaves mapio-cli's "Usage:" block as a subsection of the
# description, its lines run together. This moves it to a SYNOPSIS section
# of its own, one form a line in plain type, and drops the colons from
# subsection titles.
#   cmake -DPAGE=<mapio-cli.1> -P man_synopsis.cmake
file(READ ${PAGE} page)
string(REGEX MATCH "\\.SS \"Usage:\"\n\\.IP\n([^.\n][^\n]*\n)+" block "${page}")
if(block STREQUAL "")
  message(FATAL_ERROR "${PAGE}: no Usage: block to move")
endif()
string(REPLACE "${block}" "" page "${page}")
string(REGEX REPLACE "^\\.SS \"Usage:\"\n\\.IP\n" "" forms "${block}")
# help2man's guesses at bold ("\fB\-\-no]\fR") are wrong here: plain text.
string(REGEX REPLACE "\\\\f[BIR]" "" forms "${forms}")
string(REPLACE ".SH DESCRIPTION\n" ".SH SYNOPSIS\n.nf\n${forms}.fi\n.SH DESCRIPTION\n" page "${page}")
string(REGEX REPLACE "\n\\.SS \"([^\"\n]*):\"\n" "\n.SS \"\\1\"\n" page "${page}")
file(WRITE ${PAGE} "${page}")
