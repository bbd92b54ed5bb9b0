// Credits and addresses that the windows show. The addresses are build-time
// configuration (CMake cache variables); the credits name roles, not people.
#pragma once

#include <QString>

namespace tellumo::AppInfo {

inline QString supervisor() { return QStringLiteral("監修委員会"); }
inline QString representative() { return QStringLiteral("運営責任者"); }
inline QString programmingCredit() { return QStringLiteral("開発チーム"); }
inline QString illustrationCredit() { return QStringLiteral("デザインチーム"); }

// "2.00": made by the build from the project's version.
inline QString version() { return QStringLiteral(TELLUMO_VERSION_TEXT); }

inline QString makerUrl() { return QStringLiteral(TELLUMO_MAKER_URL); }
inline QString makerEmail() { return QStringLiteral(TELLUMO_MAKER_EMAIL); }
inline QString programmerEmail() { return QStringLiteral(TELLUMO_PROGRAMMER_EMAIL); }

} // namespace tellumo::AppInfo
