// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_stdio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace mertano::cli {

void PrintError(const std::string& message) {
    std::fprintf(stderr, "mertano-cli: %s\n", message.c_str());
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

bool WriteOut(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int OutputFailed(int error) {
    PrintError("could not write the output: " + SystemReason(error));
    return kIoError;
}

int CloseOut(int status) {
    if (std::fflush(stdout) != 0) {
        const int error = errno;
        std::fclose(stdout);
        return OutputFailed(error);
    }
    if (std::fclose(stdout) != 0) return OutputFailed(errno);
    return status;
}

int Emit(std::string_view text, int status) {
    if (!WriteOut(text)) {
        const int error = errno;
        std::fclose(stdout);
        return OutputFailed(error);
    }
    return CloseOut(status);
}

}  // namespace mertano::cli
