// The download folder of a browser session. scripts/browser-session.sh names
// it in TELLUMO_DOWNLOAD_DIR; the commands that keep the result then write
// their file there under the name a save dialog would propose, without
// opening a dialog on the server, and the session's web page offers the
// file to the person at the browser as a download ("印刷…" makes the PDF, to
// be printed on the person's side). Without the variable the commands ask as
// on any desktop.
#pragma once

#include <QString>

namespace tellumo::DownloadFolder {

inline constexpr char Variable[] = "TELLUMO_DOWNLOAD_DIR";

// Where a file called `fileName` goes in a browser session; an empty text
// outside one.
QString filePath(const QString& fileName);

} // namespace tellumo::DownloadFolder
