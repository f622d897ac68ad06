// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vermo::bench {

// Resident memory of this process (VmRSS), in kibibytes; -1 when unknown.
long residentKib();

// The most resident memory this process has had (VmHWM), in kibibytes,
// since it started or since resetPeakResident(); -1 when unknown.
long peakResidentKib();
void resetPeakResident();

// CPU time this process has used so far, user and system, in seconds.
double cpuSeconds();

// Seconds on the steady clock.
double wallSeconds();

// The machine and its load, for the record printed with every figure.
std::string machineLine();

// "12.3 MB" style text for kibibytes.
std::string megabytes(long kib);

}  // namespace vermo::bench
