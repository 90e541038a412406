#pragma once

// The application's identity and the maker's web addresses, kept in one place: main() hands the
// names to Qt, the window title shows the version and Help -> "Check for Updates" opens the
// update page on the maker's server.
namespace AppIdentity {

constexpr char organizationName[] = "Marlek d.o.o";
constexpr char organizationDomain[] = "marlek.example";
constexpr char applicationName[] = "Veltora";
constexpr char applicationVersion[] = "3.2.0";

// The update page: the server decides what the user sees; the application compares nothing.
constexpr char updateScheme[] = "https";
constexpr char updateHost[] = "updates.marlek.example";
constexpr char updatePathAndQuery[] = "/ls.php?sw=zelvo-veltora&ch=stable";

} // namespace AppIdentity
