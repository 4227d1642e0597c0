#pragma once
#include <QString>
#include <QStringList>

namespace batch {

// The folders a run made for its outputs, removed again (when empty) unless
// the run succeeded and kept them. Declared before the run's StagedOutputs,
// so that the files of a failed run go before their folders.
class CreatedFolders {
public:
    CreatedFolders() = default;
    CreatedFolders(const CreatedFolders &) = delete;
    CreatedFolders &operator=(const CreatedFolders &) = delete;
    ~CreatedFolders();

    // Makes path and the folders above it that are missing. Throws Failure.
    void make(const QString &path);
    void keep() { kept_ = true; }

private:
    QStringList created_; // deepest first
    bool kept_ = false;
};

} // namespace batch
