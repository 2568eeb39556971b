// The jobs as the window runs them: each job function with the window's
// settings, its questions answered by the window, and its outcome turned
// into the window's message boxes, with the texts and captions they have
// always had.
#pragma once

#include <functional>
#include <string>

#include "core/job_events.h"
#include "translator/mapping_translator.h"
#include "ui/job_host.h"
#include "writer/mapping_updater.h"
#include "writer/mapping_writer.h"

namespace mapio {

// "Make config.xml file": one record per file of the folder. The kind and
// "All filenames are IDs" come from the settings.
void MakeMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                     writer::MakeOptions options = {});

// "Translate file names to IDs". `onRename` hears of every rename made
// (or foreseen, in a dry run): the old and the new file name.
using RenameHeard = std::function<void(const std::string& from, const std::string& to)>;
void TranslateFileNames(JobSettings& settings, JobHost& host,
                        translator::TranslateOptions options = {},
                        const RenameHeard& onRename = {});

// The update job the check's report offers: the kind and "All filenames
// are IDs" come from the settings.
void UpdateMappingFile(JobSettings& settings, JobHost& host, IdPrompter& prompter,
                       writer::UpdateOptions options = {});

}  // namespace mapio
