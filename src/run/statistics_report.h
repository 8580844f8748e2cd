// The run statistics report "stats.txt": with the "Debugging" statistics bit the run
// counts its memory, files and expanding arrays (run/run_statistics.h) and writes them,
// with the system's memory figures, into the output folder at its end. The format is fixed
// text.
#pragma once

#include <ctime>
#include <string>

#include "run/run_context.h"

namespace kinloom::run {

// `n` with "," after every group of three digits (1,234,567); below zero plainly.
std::string FormatThousands(long long n);

// The "Total Run Time = …" line of `elapsed` seconds: "%dm %ds" when the hours are a
// multiple of 24, otherwise "%dh %dm %ds" with the hours modulo 24.
std::string FormatTotalRunTime(long long elapsed);

// Clears every counter and connects the memory snapshots to `memory_source` (null: the
// figures read 0).
void ResetStatistics(RunContext& context, platform::MemoryStatusSource* memory_source);

// Counts the report as one file created, takes the starting memory snapshot, creates
// "stats.txt" in the output folder and writes its header and initial memory section. When
// the file cannot be created, shows 2266 and the run goes on without a report.
void StartReport(RunContext& context);

// Brings the memory tracker to what the store holds now.
void TrackStoreMemory(RunContext& context);

// Writes the rest of the report and closes the file (2307 in a warning box when the close
// fails). Does nothing when the report file was never created.
void WriteReport(RunContext& context);

}  // namespace kinloom::run
