// Every id of the dialog templates and of their controls, named once: the
// templates, both windows and the tests use these names.
#pragma once

namespace mapio::res {

enum TemplateId {
  kAboutDialog = 100,
  kMainDialog = 102,
  kFileMapDialog = 131,
  kEditXmlDialog = 134,
  kKitMapDialog = 135,
  kFindDialog = 136,
  kGoToLineDialog = 137,
};

// Resources of Mapio.exe that code loads by id (res/mapio.rc).
enum ResourceId {
  kAppIcon = 128,
  kAboutEntryString = 101,
};

// The ids Windows sends for Enter and Escape; a template's default and
// cancelling buttons carry them.
enum DialogButtonId {
  kOkId = 1,
  kCancelId = 2,
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
  kNationLogosButton = 1003,
  kCompetitionLogosButton = 1004,
  kStadiumBackgroundsButton = 1031,
  kClubBackgroundsButton = 1032,
  kPlayerBackgroundsButton = 1033,
  kCompBackgroundsButton = 1034,
  kDefaultBackgroundsButton = 1035,
  kNationBackgroundsButton = 1036,
  kAllFilenamesAreIdsBox = 1011,
  kProcessDroppedFoldersBox = 1030,
  kGoButton = kOkId,
  kEditXmlButton = 1009,
  kCheckButton = 1040,
  kCloseButton = kCancelId,
};

// The prompts for a file's ID and for a kit's ID and kind.
enum PromptControlId {
  kAddButton = kOkId,
  kDoNotAddButton = kCancelId,
  kFileIdBox = 1012,
  kFileNameBox = 1013,
  kFileCounterBox = 1016,
  kKitNameBox = 1020,
  kKitIdBox = 1021,
  kKitCounterBox = 1022,
  kHomeButton = 1023,
  kAwayButton = 1024,
  kThirdButton = 1025,
};

// The "Edit XML file" dialog.
enum EditXmlControlId {
  kSaveButton = kOkId,
  kEditorCloseButton = kCancelId,
  kXmlTextBox = 1028,
};

// The editor's "Find" and "Go to line" dialogs.
enum FindControlId {
  kFindNextButton = kOkId,
  kFindCloseButton = kCancelId,
  kFindTextBox = 1050,
  kMatchCaseBox = 1051,
  kFindPreviousButton = 1052,
  kGoToButton = kOkId,
  kGoToCancelButton = kCancelId,
  kLineNumberBox = 1053,
};

// The about box.
enum AboutControlId {
  kAboutOkButton = kOkId,
};

// Windows built in code, not from a template, for their controls depend
// on what they show: the ids tests and the window's procedure know them by.
enum CodeDialogId {
  kReportDialog = 140,  // the check's report
};

// The check's report. Built in code, so only their being distinct matters:
// they follow each other.
enum ReportControlId {
  kReportCloseButton = kCancelId,
  kReportSummary = 1100,
  kReportFilterLabel,
  kReportFindingsLabel,
  kReportTable,
  kReportPicture,
  kReportPictureName,
  kReportPictureFacts,
  kReportCopyButton,
  kReportSaveButton,
  kAddNewButton,
  kRemoveMissingButton,
  kUseGeneratedIdsButton,
  kUsePlainIdsButton,
  kUndoTranslateButton,
  // Of several packs: the filter by pack, and "Find ID" with its answer.
  kReportPackLabel,
  kReportPackFilter,
  kReportFindIdLabel,
  kReportFindIdBox,
  kReportFindIdButton,
  kReportIdAnswer,
  // The filters: "all" first, then one per category with findings.
  kReportFilterFirst = 1120,
};
static_assert(kReportIdAnswer < kReportFilterFirst);

}  // namespace mapio::res
