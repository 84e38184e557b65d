#pragma once
// The files the program works on, in the folder it was started in. The window
// and veltrix-cli open the same ones, so a script sees what the window sees.

namespace veltrix {

inline constexpr const char* kSettingsPath = "./Veltrix.ini";
inline constexpr const char* kDatabasePath = "./DLT.mdb";
// Where draw files are downloaded to and imported from, beside the database.
inline constexpr const char* kDrawFolder = "./draws";

} // namespace veltrix
