// The JUnit XML report of a runner's scripts, for CI systems: one testcase
// per script with its time, and a failure (an expect line or a picture) or
// an error (the script could not run) with its messages.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/job.h"

// The report as text: well-formed XML whatever bytes the names and messages
// hold.
std::string junitReport(const std::vector<HeadlessJob>& jobs,
                        const std::vector<HeadlessResult>& results);
// Writes the report whole or not at all: into a temporary file beside path,
// renamed over it once complete. False with error when it could not be
// written; path is then as it was.
bool junitWrite(const std::string& path, const std::string& report, std::string& error);
