#pragma once

#include "platform/login_start_registry.h"

#include <string>
#include <string_view>

namespace oruvel::login_start {

enum class Command { ShowWindow, Create, Remove };

// The whole argument text, lower-cased, compared for equality: "/create" or "/remove"; anything else (also
// "/create now") shows the window.
Command parseCommand(std::string_view argumentText);

// The program that the logon task starts, in `folder`: "Oruvel" ("Oruvel.exe" on Windows).
std::string monitorProgramPath(const std::string& folder);

// The logon task that starts the monitor program from `folder` with "/startup".
platform::LoginStart oruvelLoginStart(const std::string& folder);

inline constexpr const char* kTaskName = "Oruvel";

// Registers or removes the logon task, as the window's buttons and the switches run them; false when it could not be
// done, with platform::lastFileFailure() saying why where the system said.
bool createLoginStart(platform::LoginStartRegistry& registrar, const std::string& folder);
bool removeLoginStart(platform::LoginStartRegistry& registrar);

} // namespace oruvel::login_start
