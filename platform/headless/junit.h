// The JUnit XML report of a runner's scripts, for CI systems: one testcase
// per script with its time, and a failure (an expect line or a picture) or
// an error (the script could not run) with its messages.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/job.h"

// The report as text: well-formed XML whatever bytes the names and messages
// hold. It is written whole or not at all with wholeFileWrite.
std::string junitReport(const std::vector<HeadlessJob>& jobs,
                        const std::vector<HeadlessResult>& results);
