#pragma once
#include "Import.h"

namespace wzory {

// Limits of one conversion. Outside renderers (SVG, PDF, image decoders)
// cannot be bounded from inside, so the conversion runs in a child process
// that the kernel stops at these.
struct ContainmentLimits {
    int cpuSeconds = 20;
    qint64 memoryBytes = qint64(2) << 30; // address space of the child
    int wallSeconds = 60;                 // in case it waits instead of working
};

// The defaults, or DYPLOM_WZORY_CPU_S and DYPLOM_WZORY_PAMIEC_MB when set.
const ContainmentLimits &defaultLimits();

// importDesign in a child process under the limits: the same result, or
// ImportError naming path when the child is stopped or fails. The child is
// forked, not started afresh: call it before the process has started worker
// threads (Qt's image code does for large images), which the child would
// wait for in vain; dyplom-wzory calls it first thing.
ImportResult importContained(const QString &path, const ImportOptions &options,
                             const ContainmentLimits &limits = defaultLimits());

} // namespace wzory
