// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Standard error and standard output as mertano-cli uses them. Standard output is checked
// at every write and at its close: a full disk or a broken file system often shows only
// when the last buffer is flushed, and a result that never arrived must not end with a
// status that says it did.

#include <string>
#include <string_view>

namespace mertano::cli {

// The statuses beyond those of a solved figure (ExitStatus in cli_run.h).
inline constexpr int kUsageError = 64;
inline constexpr int kBatchHadInvalid = 65;
inline constexpr int kIoError = 74;

// "mertano-cli: " and the message, on a line of standard error.
void PrintError(const std::string& message);
// The system's words for an errno value.
std::string SystemReason(int error);

// Whether all of `text` went to standard output; errno says why not.
bool WriteOut(std::string_view text);
// Says that the output could not be written; kIoError.
int OutputFailed(int error);
// Flushes and closes standard output; `status` when all of it was written.
int CloseOut(int status);
// `text` as the whole output, then CloseOut(status).
int Emit(std::string_view text, int status);

}  // namespace mertano::cli
