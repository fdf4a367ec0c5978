#include "TamoUtils.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Tamo {

void TuneAllocatorForLargeTexts()
{
#if defined(__GLIBC__)
    // A conversion reads and re-assigns the whole text several times. glibc hands
    // blocks of a few megabytes out as fresh mappings and returns them on free, so a
    // large text page-faults its memory in anew at every step. Keeping blocks below
    // 64 MB in the heap, and the freed top of the heap mapped, lets the steps reuse it.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

} // namespace Tamo
