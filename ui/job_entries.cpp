#include "ui/job_entries.h"

#include "ui/window_jobs.h"

namespace mapio::ui {

JobEntries MakeJobEntries(IdPrompter& prompter) {
  JobEntries jobs;
  jobs.makeMapping = [&prompter](JobSettings& settings, JobHost& host) {
    MakeMappingFile(settings, host, prompter);
  };
  jobs.translate = [](JobSettings& settings, JobHost& host) { TranslateFileNames(settings, host); };
  jobs.update = [&prompter](JobSettings& settings, JobHost& host, bool addNew, bool prune) {
    writer::UpdateOptions options;
    options.addNew = addNew;
    options.prune = prune;
    UpdateMappingFile(settings, host, prompter, options);
  };
  return jobs;
}

}  // namespace mapio::ui
