#include "app/sky_table_hook.h"

namespace orbant {

// The star table is not part of the program yet: nothing to fill.
void fill_body_and_star_table(CAllControlsSheet&) {}

}  // namespace orbant
