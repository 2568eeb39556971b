// What a job that reads or writes config.xml says when it cannot, each
// reason in words of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/atomic_writer.h"
#include "platform/files.h"

namespace mapio {

// The program's name: the caption of a message that has none of its own.
inline constexpr std::string_view kApplicationName = "Mapio";

inline constexpr std::string_view kMappingOpenFailed = "Could not open config.xml file!";
// The editor's, shown with kErrorCaption.
inline constexpr std::string_view kEditorOpenFailed = "Could not open config.xml file";
inline constexpr std::string_view kMappingOpenFailedCaption = "Warning";
// Shown with kErrorCaption.
inline constexpr std::string_view kMappingReadError =
    "Mapio encountered error reading config.xml file!\n\nYou can try the following steps:\n\n"
    "* Open and save it with WordPad\n* Open it with Notepad and look for formating errors\n";

inline constexpr std::string_view kWriteFailed =
    "config.xml could not be written (is the disk full?)! No file was changed.";
inline constexpr std::string_view kCannotWrite =
    "config.xml in this directory cannot be written: it is read-only, belongs to another user "
    "or is a folder! No file was changed.";
inline constexpr std::string_view kMappingChanged =
    "config.xml was changed by another program after Mapio read it! No file was changed: run "
    "again to work on the file as it is now.";

inline constexpr std::string_view kListingFailed =
    "The files of this directory could not be listed! No file was changed.";
// What make, update and translate say of entries with a picture's name
// that are no files of the folder; each job goes on with what that meant.
inline constexpr std::string_view kPassedOver =
    "These were passed over: they are no files of the folder (a FIFO, a device, or a link that "
    "leads out of the folder or to nothing)";

inline constexpr std::string_view kSuccessCaption = "Success!";
// "Success! N files added in XML file!"
std::string SuccessText(std::uint32_t added);

// Why config.xml could not be read, for a file that is there (Missing is
// kMappingOpenFailed); `utf16` for a file read whole that is UTF-16 text.
std::string_view ReadFailureText(platform::ReadResult result, bool utf16 = false);

// Why config.xml could not be written; nothing was changed.
std::string_view WriteFailureText(platform::WriteFailure failure);

}  // namespace mapio
