#pragma once

#include <string>

namespace app {

// A stable six-byte machine identifier as upper-case hexadecimal pairs joined by "-": the
// hardware address of the first network adapter (sorted by name, physical ones with a
// "device" link first, loopback and all-zero addresses skipped), or "00-00-00-00-00-00".
std::string GetDeviceId(const std::string& sysClassNet = "/sys/class/net");

}  // namespace app
