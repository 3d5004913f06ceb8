// Registers a program under the machine's App Paths for one test, the way
// Windows finds WordPad, and puts back whatever was registered before.
#pragma once
#ifdef _WIN32
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

struct AppPathsRegistration {
  std::string key;
  bool hadValue = false;
  DWORD formerType = 0;
  std::vector<BYTE> formerValue;

  // type REG_SZ or REG_EXPAND_SZ; value as it is stored.
  AppPathsRegistration(const std::string& program, const std::string& value, DWORD type = REG_SZ)
      : key("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program) {
    Remember();
    HKEY handle;
    REQUIRE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                            nullptr) == ERROR_SUCCESS);
    LONG result = RegSetValueExA(handle, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    REQUIRE(result == ERROR_SUCCESS);
  }
  // No registration at all for the test.
  static AppPathsRegistration None(const std::string& program) { return AppPathsRegistration(program); }

  ~AppPathsRegistration() {
    if (!hadValue) {
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
      return;
    }
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExA(handle, nullptr, 0, formerType, formerValue.data(), static_cast<DWORD>(formerValue.size()));
    RegCloseKey(handle);
  }

 private:
  explicit AppPathsRegistration(const std::string& program)
      : key("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + program) {
    Remember();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  }
  void Remember() {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(handle, nullptr, nullptr, &formerType, nullptr, &size) == ERROR_SUCCESS) {
      formerValue.resize(size);
      hadValue = RegQueryValueExA(handle, nullptr, nullptr, &formerType, formerValue.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(handle);
  }
};
#endif
