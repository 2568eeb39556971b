// mapio-cli's help: the whole page and each job's own page, both made from
// the one table of jobs and options (cli/options.h).
#pragma once

#include <string>

#include "cli/options.h"

namespace mapio::cli {

// The --help page.
std::string UsageText();

// `mapio-cli JOB --help` and `mapio-cli help JOB`: that job's usage,
// options and examples only.
std::string JobUsageText(Job job);

// Text wrapped at `width` columns, every line but the first indented by
// `indent`; the first goes on from `column`.
std::string Wrapped(std::string_view words, std::size_t indent, std::size_t column,
                    std::size_t width);

}  // namespace mapio::cli
