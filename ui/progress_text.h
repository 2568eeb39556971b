// The line a front end shows while a long job runs.
#pragma once

#include <string>

#include "ui/job_host.h"

namespace mapio::ui {

std::string DescribeProgress(const JobProgress& progress);

}  // namespace mapio::ui
