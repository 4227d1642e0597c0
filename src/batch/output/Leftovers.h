#pragma once
#include <QString>

namespace batch {

// The start of this process's temporary names: "dyplom-druk-HOST-BOOTID-PID-".
// Host, boot and process tell a later run whether the process that made a
// file still runs: home folders shared over the network hold other
// machines' live runs, and a process of an earlier boot is gone.
QString temporaryPrefix();

// Whether a temporary name (with or without a leading dot) is what a run of
// this host left behind and its process is gone.
bool isDeadRunsLeftover(const QString &fileName);

// Removes from folder the temporary files (and the scratch folders, with
// the files in them) of dead runs of this host owned by this user. Once a
// folder per process; errors are ignored: they are only leftovers.
void removeLeftovers(const QString &folder);

} // namespace batch
