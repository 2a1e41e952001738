// Many scripts at once: each runs in a child process of its own, so that no
// script can affect the next (the unit is module-level state), up to a given
// number side by side, with the results handed on in the order given.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/headless/job.h"

// Called with each job's index and result, in the order of the jobs.
using HeadlessReport = std::function<void(size_t index, const HeadlessResult& result)>;

// Runs every job, at most parallel at a time, and reports each result as
// soon as it and all before it are done; returns the results in job order.
std::vector<HeadlessResult> headlessRunSuite(const std::vector<HeadlessJob>& jobs,
                                             const HeadlessJobOptions& options, int parallel,
                                             const HeadlessReport& report);
