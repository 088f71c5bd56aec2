// Who "the same program" is: the names the instances of one executable in one login session share.
#pragma once

#include <QByteArray>
#include <QString>

namespace PeerIdentity {

// 16-bit CRC of ISO 3309 / X.25 over `data` (reflected 0x1021, start 0xFFFF, result complemented).
quint16 checksum(const QByteArray &data);

// The instance id of the executable at `appFilePath` (forward slashes): the path in lower case, so that
// spellings differing only in case name one program.
QString instanceId(const QString &appFilePath);

// Suffix naming the login session: "-" + XDG_SESSION_ID (in lower-case hex when it is a decimal number,
// else its letters and digits in lower case); without a usable session id, "-" + the user id in hex.
QString sessionSuffix();

// "qtsingleapp-" + the first 6 ASCII letters of the id's last path segment + "-" + checksum of the id's
// UTF-8 bytes in lower-case hex + `suffix`.
QString socketName(const QString &id, const QString &suffix);

// The user's private folder the instances meet in: $XDG_RUNTIME_DIR, else "<temporary directory>/
// lyntra-panel-<uid in hex>" (created when missing). Either must be a real folder owned by the user that
// no one else may enter; otherwise empty, and there is no meeting place (another user must not be able
// to prepare one).
QString runtimeFolder();

// Where the first instance listens: "<runtime folder>/<socket name>"; empty without a runtime folder.
QString socketPath(const QString &socketName);

// The lock file shared by the instances: "<runtime folder>/<socket name>-lockfile"; empty without one.
QString lockFilePath(const QString &socketName);

} // namespace PeerIdentity
