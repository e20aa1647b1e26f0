#pragma once

#include <QString>

// Who the installation is registered to. On Windows the machine-wide
// registered owner and organisation; elsewhere the account's full name and
// no organisation. An empty text means the value is missing.
namespace SystemInfo {
QString registeredOwner();
QString registeredOrganization();
} // namespace SystemInfo
