// The ids of the dialog templates and of the controls that code refers to,
// as the templates give them.
#pragma once

namespace mapio::res {

enum TemplateId {
  kAboutDialog = 100,
  kMainDialog = 102,
  kFileMapDialog = 131,
  kEditXmlDialog = 134,
  kKitMapDialog = 135,
};

// The main window's controls.
enum MainControlId {
  kPathBox = 1007,
  kBrowseButton = 1008,
  kMakeButton = 1038,
  kTranslateButton = 1039,
  kFacesButton = 1000,
  kKitsButton = 1001,
  kClubLogosButton = 1002,
  kAllFilenamesAreIdsBox = 1011,
  kProcessDroppedFoldersBox = 1030,
  kGoButton = 1,
  kEditXmlButton = 1009,
  kCheckButton = 1040,
  kCloseButton = 2,
};

}  // namespace mapio::res
