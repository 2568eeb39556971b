#include "core/mapping_messages.h"

namespace mapio {

std::string SuccessText(std::uint32_t added) {
  return "Success! " + std::to_string(added) + " files added in XML file!";
}

std::string_view ReadFailureText(platform::ReadResult result, bool utf16) {
  using platform::ReadResult;
  if (utf16 && result == ReadResult::Ok)
    return "config.xml is UTF-16 text, which Mapio does not read: save it as UTF-8 (in "
           "Notepad: Save As, Encoding UTF-8) and run again!";
  switch (result) {
    case ReadResult::Ok:
    case ReadResult::Missing: return kMappingOpenFailed;
    case ReadResult::NoPermission:
      return "config.xml in this directory cannot be read: you have no permission to read it!";
    case ReadResult::NotAFile:
      return "config.xml in this directory is not a file (a folder, a device or a pipe), so it "
             "was not read!";
    case ReadResult::TooLarge:
      return "config.xml in this directory is larger than 1 GiB, which no pack's mapping file "
             "is, so it was not read!";
    case ReadResult::Failed: return "config.xml could not be read: the system reported an error!";
  }
  return kMappingOpenFailed;
}

std::string_view WriteFailureText(platform::WriteFailure failure) {
  using platform::WriteFailure;
  switch (failure) {
    case WriteFailure::TargetReadOnly:
    case WriteFailure::NotAFile: return kCannotWrite;
    case WriteFailure::StickyFolder:
      return "config.xml in this directory belongs to another user, and only they may replace "
             "it in this folder! No file was changed.";
    case WriteFailure::FolderNotWritable:
      return "This directory may not be written to, so config.xml could not be saved! No file "
             "was changed.";
    case WriteFailure::TargetChanged: return kMappingChanged;
    case WriteFailure::IoError:
      return "config.xml could not be written: the system reported an error! No file was "
             "changed.";
    case WriteFailure::None:
    case WriteFailure::NoSpace: return kWriteFailed;
  }
  return kWriteFailed;
}

}  // namespace mapio
