#pragma once
#include <QByteArray>
#include <QString>

namespace batch {

// Where an output path leads once its links are followed.
struct OutputPlace {
    QString target;            // the path that is written, links resolved
    bool danglingLink = false; // path is a link to nothing: an existing name all the same
};

// Follows the symbolic links of path as the kernel lets this user follow
// them (fs.protected_symlinks): a link in a sticky folder that everybody
// may write to (such as /tmp) is followed only when it belongs to this user
// or to the folder's owner. Another's is refused with a Failure naming the
// link: someone else could otherwise point our output at any file of ours.
OutputPlace followLinks(const QString &path);

// True when a file, a folder or a link (a dangling one too) has this name.
bool nameTaken(const QString &path);

// What the first bytes of an output of this name are: a PNG's signature
// for *.png, else a PDF's.
QByteArray signatureFor(const QString &path);

// Refuses, with a Failure naming path, an existing output that may not be
// replaced: anything but a regular file (a device, a FIFO), a file without
// write permission (for root too, as the editor refuses it), and without
// overwrite a dangling link or a file that does not start with signature.
void checkReplaceable(const QString &path, const OutputPlace &place, const QByteArray &signature, bool overwrite);

} // namespace batch
