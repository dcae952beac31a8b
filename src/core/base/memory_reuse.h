#pragma once

namespace mirute {

// Every panel reads the whole log afresh and fills lists of tens of thousands of rows, then gives the rows
// back when it is put away. The C library would return those megabytes to the system at once and fault
// them in again, page by page, at the next opening; asked once at start-up, it keeps them for reuse.
// Does nothing where the C library has no such setting.
void keepFreedMemoryForReuse();

} // namespace mirute
