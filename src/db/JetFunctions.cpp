#include "db/JetDialect.h"

#include <sqlite3.h>

namespace veltrix {

bool RegisterJetFunctions(sqlite3*) {
    return true;
}

} // namespace veltrix
