#pragma once
#include <QMap>
#include <QString>
#include <QStringList>

// Keeps a per-user template catalogue in step with the shipped templates and
// the school's designs without touching what the user made or changed.
//
// The shipped data holds, beside Wzory, a manifest of every template version
// ever shipped (ShippedManifest: "NNNN sha256 code" per line) and
// Admini/wer.dat with the shipped version code. The per-user folder records
// in UserRecord which of its files is which shipped template or school design
// and the hash of what was last put there:
//   wersja 20306
//   dolaczony 0043 0044 <sha256>   shipped 43 lives at 44 for this user
//   szkola 0043 0043 <sha256>      the school's 43 at 43
// A recorded file still holding what was put there (or, for a shipped one,
// any shipped version) is replaced by the newer one; a changed one stays.
// Something new takes its own number when free, else the lowest free number,
// school designs before shipped templates, and is recorded so that it is
// updated in place later and never moves. Nothing is ever removed.
namespace platform {

extern const QString ShippedManifest; // in the shipped data's root
extern const QString UserRecord;      // below the per-user folder
// The designs' occasions and layouts by number, beside Wzory. The user's copy
// is the shipped one with each shipped number turned into the user's (a
// design the user has at another number is named by that number; one the
// user lacks is left out); the record holds the hash of what was written
// ("uklady <sha256>"), and a copy holding anything else is first kept as
// wzory-uklady-kopia.json (-2, -3 … when taken).
extern const QString LayoutTable;

enum class TemplateOrigin { Shipped, School, Own };

// The version code of this build ("20306" for 3.06).
QString buildVersionCode();

// The version code in <shipped>/Admini/wer.dat, or this build's when there is
// none.
QString shippedVersionCode(const QString &shipped);

// Brings <dir>/Wzory up to date from <shipped>/Wzory and <school>/Wzory
// (either may be empty or missing) and, after a version change, rewrites
// <dir>/Admini/wer.dat. The caller holds the folder's lock. Returns one line
// per problem; the rest is done all the same.
QStringList updateTemplates(const QString &dir, const QString &shipped, const QString &school);

// Where each template of <dir>/Wzory comes from, by number: the folder's
// record, else a shipped version's hash, else the user's own.
QMap<int, TemplateOrigin> templateOrigins(const QString &dir, const QString &shipped);

// The numbers shipped in any version (from the manifest and <shipped>/Wzory).
QList<int> everShippedNumbers(const QString &shipped);

} // namespace platform
