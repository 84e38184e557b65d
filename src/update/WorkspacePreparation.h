#pragma once
// A working folder for the window: ./DLT.mdb and ./Veltrix.ini. The first
// start in a folder makes them from the shipped data (an empty database with
// the sample draws imported, the sample saved commands); later starts find
// them and touch nothing. The window's --workspace and scripts/run.sh (through
// veltrix-cli workspace) both come here, so a new user's first folder looks
// the same whichever way it was made.

#include "common/MessageSink.h"

#include <string>
#include <vector>

namespace veltrix {

struct WorkspaceReport {
    bool usable = false;               // the folder exists and holds a database
    bool madeDatabase = false;         // DLT.mdb was made and filled with the samples
    bool copiedSettings = false;       // Veltrix.ini was copied from the samples
    std::string error;                 // why the folder is not usable
    std::vector<std::string> warnings; // samples that could not be brought in
};

// Prepares `folder` (made when missing) from the shipped data in `dataDir`.
// The database is built under a temporary name and renamed into place when
// the samples are in, so an interrupted first start leaves no half-filled
// DLT.mdb behind for the next start to take as the user's own.
WorkspaceReport PrepareWorkspace(const std::string& folder, const std::string& dataDir);

// `veltrix --workspace [DIR]`: prepares DIR (the user's data folder when
// empty) and makes it the current folder. What could not be brought in is
// shown as a warning; false, with a message shown, when the folder cannot be
// used.
bool EnterWorkspace(const std::string& folder, const std::string& dataDir, MessageSink& messages);

} // namespace veltrix
